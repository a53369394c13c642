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

  Image1 = new QLabel(this);
  Image1->setObjectName(QStringLiteral("Image1"));
  Image1->setPixmap(icon);
  Image1->setGeometry(136, 8, 32, 32);

  Label1 = MakeLabel(this, QStringLiteral("Label1"), QStringLiteral("Quenlow"));
  Label1->setFont(ArialFont(13, true));
  Label1->setForegroundRole(QPalette::ButtonText);
  Label1->adjustSize();
  Label1->move(72, 50);

  Label2 = MakeLabel(this, QStringLiteral("Label2"), QStringLiteral("(Ver 2.3)"));
  Label2->move(127, 70);

  // The two captions end on the same column, just left of their links.
  Label5 = MakeLabel(this, QStringLiteral("Label5"), QStringLiteral("主页:"));
  Label5->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label5->move(96 - Label5->width(), 90);

  RzURLLabel4 = new UrlLabel(kHomePage, QUrl(kHomePage), this);
  RzURLLabel4->setObjectName(QStringLiteral("RzURLLabel4"));
  RzURLLabel4->move(101, 89);

  Label6 = MakeLabel(this, QStringLiteral("Label6"), QStringLiteral("邮箱:"));
  Label6->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  Label6->setGeometry(8, 114, 88, 13);

  RzURLLabel1 = new UrlLabel(kMailAddress, QUrl(QStringLiteral("mailto:") + kMailAddress), this);
  RzURLLabel1->setObjectName(QStringLiteral("RzURLLabel1"));
  RzURLLabel1->move(100, 113);

  Memo1 = new QPlainTextEdit(this);
  Memo1->setObjectName(QStringLiteral("Memo1"));
  Memo1->setGeometry(16, 136, 289, 89);
  Memo1->setReadOnly(true);
  Memo1->setFrameStyle(QFrame::Box | QFrame::Plain);
  Memo1->setLineWidth(1);
  Memo1->setTabChangesFocus(true);
  Memo1->setPlainText(
      QStringLiteral("玩法:\n"
                     "    将2个相同图片连接，连接线不超过3根\n"
                     "    直线，就可以成功消除这2个图片，全\n"
                     "    部图片消除后，完成。"));
  QPalette memoColours = Memo1->palette();
  memoColours.setColor(QPalette::Base, palette().color(QPalette::Base));
  Memo1->setPalette(memoColours);

  Button1 = new QPushButton(QStringLiteral("关闭"), this);
  Button1->setObjectName(QStringLiteral("Button1"));
  Button1->setGeometry(240, 232, 75, 25);
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &TFormAbout::Button1Click);

  setTabOrder(Button1, Memo1);
  Button1->setFocus();
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
