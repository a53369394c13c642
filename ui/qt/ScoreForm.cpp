#include "ui/qt/ScoreForm.h"

#include <QLabel>
#include <QPushButton>

#include "scores/Records.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/WindowPlacement.h"

namespace quenlow {

namespace {

constexpr QSize kOuterSize(269, 162);

QLabel* MakeLabel(QWidget* parent, const char* name, int left, int top, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QLatin1String(name));
  label->setTextFormat(Qt::PlainText);
  label->move(left, top);
  label->adjustSize();
  return label;
}

void SetLabel(QLabel* label, const QString& text) {
  label->setText(text);
  label->adjustSize();
}

QPushButton* MakeButton(QWidget* parent, const char* name, const QRect& place,
                        const QString& text) {
  auto* button = new QPushButton(text, parent);
  button->setObjectName(QLatin1String(name));
  button->setGeometry(place);
  // Enter presses the button that holds the focus, as on the game's other windows.
  button->setAutoDefault(true);
  return button;
}

}  // namespace

TScoreForm::TScoreForm(const Records& records, ResetAction reset, QWidget* mainWindow)
    : QWidget(mainWindow, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint),
      records_(records),
      reset_(std::move(reset)),
      mainWindow_(mainWindow) {
  setObjectName(QStringLiteral("ScoreForm"));
  setWindowTitle(QStringLiteral("排行榜"));
  setFont(ArialFont(11));
  resize(kOuterSize);

  EasyTitle = MakeLabel(this, "EasyTitle", 24, 24, QStringLiteral("简单级："));
  NormalTitle = MakeLabel(this, "NormalTitle", 24, 48, QStringLiteral("普通级："));
  HardTitle = MakeLabel(this, "HardTitle", 24, 72, QStringLiteral("困难级："));
  EasyScore = MakeLabel(this, "EasyScore", 96, 24, QString());
  NormalScore = MakeLabel(this, "NormalScore", 96, 48, QString());
  HardScore = MakeLabel(this, "HardScore", 96, 72, QString());
  EasyName = MakeLabel(this, "EasyName", 168, 24, QString());
  NormalName = MakeLabel(this, "NormalName", 168, 48, QString());
  HardName = MakeLabel(this, "HardName", 168, 72, QString());
  ResetButton = MakeButton(this, "ResetButton", QRect(24, 96, 89, 25), QStringLiteral("重新计分"));
  CloseButton = MakeButton(this, "CloseButton", QRect(136, 96, 81, 25), QStringLiteral("确定"));
  connect(ResetButton, &QPushButton::clicked, this, &TScoreForm::ResetClick);
  connect(CloseButton, &QPushButton::clicked, this, &TScoreForm::CloseClick);
  setTabOrder(ResetButton, CloseButton);
  ResetButton->setFocus();

  RefillLabels();
}

void TScoreForm::RefillLabels() {
  SetLabel(EasyScore, QString::number(records_.BestScore[1]));
  SetLabel(NormalScore, QString::number(records_.BestScore[2]));
  SetLabel(HardScore, QString::number(records_.BestScore[3]));
  SetLabel(EasyName, QString::fromStdString(records_.BestName[1]));
  SetLabel(NormalName, QString::fromStdString(records_.BestName[2]));
  SetLabel(HardName, QString::fromStdString(records_.BestName[3]));
}

void TScoreForm::Show() {
  RefillLabels();
  show();
  raise();
  activateWindow();
}

void TScoreForm::showEvent(QShowEvent* event) {
  RefillLabels();
  if (!placed_) {
    // The outer size and the centring count the frame, which the window manager tells before
    // the window is mapped; without a window manager there is none.
    SetOuterSize(this, kOuterSize);
    if (mainWindow_ != nullptr) CentreOuterOn(this, OuterRect(mainWindow_->window()).center());
    placed_ = true;
  }
  QWidget::showEvent(event);
}

void TScoreForm::ResetClick() {
  // The labels follow the records only when the reset went through.
  if (reset_ && reset_()) RefillLabels();
}

}  // namespace quenlow
