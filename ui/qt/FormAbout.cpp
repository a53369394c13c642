#include "ui/qt/FormAbout.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>

#include "ui/qt/Fonts.h"
#include "ui/qt/UrlLabel.h"
#include "ui/qt/WindowPlacement.h"

namespace quenlow {

// Addresses of the project itself.
const QString TFormAbout::kHomePage = QStringLiteral("http://quenlow.example.org/");
const QString TFormAbout::kMailAddress = QStringLiteral("quenlow@example.org");

namespace {

QLabel* MakeLabel(QWidget* parent, const QString& name, const QString& text) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->adjustSize();
  return label;
}

}  // namespace

TFormAbout::TFormAbout(QWidget* owner, const QPixmap& icon) : QDialog(owner) {
  setObjectName(QStringLiteral("FormAbout"));
  setWindowTitle(QStringLiteral("关于"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setModal(true);
  setFont(ArialFont(12));
  setFixedSize(319, 261);

  Icon = new QLabel(this);
  Icon->setObjectName(QStringLiteral("Icon"));
  Icon->setPixmap(icon);
  Icon->setGeometry(136, 8, 32, 32);

  NameLabel = MakeLabel(this, QStringLiteral("NameLabel"), QStringLiteral("Quenlow"));
  NameLabel->setFont(ArialFont(13, true));
  NameLabel->setForegroundRole(QPalette::ButtonText);
  NameLabel->adjustSize();
  NameLabel->move(72, 50);

  VersionLabel = MakeLabel(this, QStringLiteral("VersionLabel"), QStringLiteral("(Ver 2.3)"));
  VersionLabel->move(127, 70);

  // The two captions end on the same column, just left of their links.
  HomePageCaption = MakeLabel(this, QStringLiteral("HomePageCaption"), QStringLiteral("主页:"));
  HomePageCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  HomePageCaption->move(96 - HomePageCaption->width(), 90);

  HomePageLink = new UrlLabel(kHomePage, QUrl(kHomePage), this);
  HomePageLink->setObjectName(QStringLiteral("HomePageLink"));
  HomePageLink->move(101, 89);

  MailCaption = MakeLabel(this, QStringLiteral("MailCaption"), QStringLiteral("邮箱:"));
  MailCaption->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  MailCaption->setGeometry(8, 114, 88, 13);

  MailLink = new UrlLabel(kMailAddress, QUrl(QStringLiteral("mailto:") + kMailAddress), this);
  MailLink->setObjectName(QStringLiteral("MailLink"));
  MailLink->move(100, 113);

  RulesText = new QPlainTextEdit(this);
  RulesText->setObjectName(QStringLiteral("RulesText"));
  RulesText->setGeometry(16, 136, 289, 89);
  RulesText->setReadOnly(true);
  RulesText->setFrameStyle(QFrame::Box | QFrame::Plain);
  RulesText->setLineWidth(1);
  RulesText->setTabChangesFocus(true);
  RulesText->setPlainText(
      QStringLiteral("玩法:\n"
                     "    将2个相同图片连接，连接线不超过3根\n"
                     "    直线，就可以成功消除这2个图片，全\n"
                     "    部图片消除后，完成。"));
  QPalette memoColours = RulesText->palette();
  memoColours.setColor(QPalette::Base, palette().color(QPalette::Base));
  RulesText->setPalette(memoColours);

  CloseButton = new QPushButton(QStringLiteral("关闭"), this);
  CloseButton->setObjectName(QStringLiteral("CloseButton"));
  CloseButton->setGeometry(240, 232, 75, 25);
  CloseButton->setDefault(true);
  connect(CloseButton, &QPushButton::clicked, this, &TFormAbout::CloseClick);

  setTabOrder(CloseButton, RulesText);
  CloseButton->setFocus();
}

void TFormAbout::showEvent(QShowEvent* event) {
  // Centred on the main window every time, outer rectangle on outer rectangle.
  if (QWidget* owner = parentWidget()) CentreOuterOn(this, OuterRect(owner->window()).center());
  QDialog::showEvent(event);
}

void TFormAbout::keyPressEvent(QKeyEvent* event) {
  // Escape does not close the about window; only the button and the close box do.
  if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
    event->accept();
    return;
  }
  QDialog::keyPressEvent(event);
}

}  // namespace quenlow
