#include "ui/qt/ScoreForm.h"

#include <QLabel>
#include <QPushButton>

#include "scores/Records.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/NameCodec.h"
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

  Label1 = MakeLabel(this, "Label1", 24, 24, QStringLiteral("简单级："));
  Label2 = MakeLabel(this, "Label2", 24, 48, QStringLiteral("普通级："));
  Label3 = MakeLabel(this, "Label3", 24, 72, QStringLiteral("困难级："));
  Label4 = MakeLabel(this, "Label4", 96, 24, QString());
  Label5 = MakeLabel(this, "Label5", 96, 48, QString());
  Label6 = MakeLabel(this, "Label6", 96, 72, QString());
  Label7 = MakeLabel(this, "Label7", 168, 24, QString());
  Label8 = MakeLabel(this, "Label8", 168, 48, QString());
  Label9 = MakeLabel(this, "Label9", 168, 72, QString());
  Button1 = MakeButton(this, "Button1", QRect(24, 96, 89, 25), QStringLiteral("重新计分"));
  Button2 = MakeButton(this, "Button2", QRect(136, 96, 81, 25), QStringLiteral("确定"));
  connect(Button1, &QPushButton::clicked, this, &TScoreForm::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &TScoreForm::Button2Click);
  setTabOrder(Button1, Button2);
  Button1->setFocus();

  FormCreate();
}

void TScoreForm::FormCreate() {
  SetLabel(Label4, QString::number(records_.BestScore[1]));
  SetLabel(Label5, QString::number(records_.BestScore[2]));
  SetLabel(Label6, QString::number(records_.BestScore[3]));
  SetLabel(Label7, FromNameBytes(records_.BestName[1]));
  SetLabel(Label8, FromNameBytes(records_.BestName[2]));
  SetLabel(Label9, FromNameBytes(records_.BestName[3]));
}

void TScoreForm::Show() {
  FormCreate();
  show();
  raise();
  activateWindow();
}

void TScoreForm::showEvent(QShowEvent* event) {
  FormCreate();
  if (!placed_) {
    // The outer size and the centring count the frame, which the window manager tells before
    // the window is mapped; without a window manager there is none.
    SetOuterSize(this, kOuterSize);
    if (mainWindow_ != nullptr) CentreOuterOn(this, OuterRect(mainWindow_->window()).center());
    placed_ = true;
  }
  QWidget::showEvent(event);
}

void TScoreForm::Button1Click() {
  // The labels follow the records only when the reset went through.
  if (reset_ && reset_()) FormCreate();
}

}  // namespace quenlow
