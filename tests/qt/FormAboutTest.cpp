#include <gtest/gtest.h>

#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>
#include <vector>

#include "tests/qt/ModalAnswers.h"
#include "ui/qt/FormAbout.h"
#include "ui/qt/UrlLabel.h"

namespace quenlow {
namespace {

class FormAboutTest : public ::testing::Test {
 protected:
  FormAboutTest() {
    owner_.setGeometry(300, 138, 640, 570);
    owner_.show();
  }
  QWidget owner_;
};

TEST_F(FormAboutTest, ShowsTheFixedTextsAtTheirPlaces) {
  TFormAbout about(&owner_, QPixmap());
  EXPECT_EQ(about.windowTitle(), QStringLiteral("关于"));
  EXPECT_EQ(about.size(), QSize(319, 261));
  EXPECT_EQ(about.minimumSize(), about.maximumSize());
  EXPECT_TRUE(about.isModal());

  struct Case {
    QLabel* label;
    QString text;
    QPoint at;
  };
  const Case cases[] = {
      {about.NameLabel, QStringLiteral("Quenlow"), {72, 50}},
      {about.VersionLabel, QStringLiteral("(Ver 2.3)"), {127, 70}},
      {about.HomePageLink, QStringLiteral("http://quenlow.example.org/"), {101, 89}},
      {about.MailCaption, QStringLiteral("邮箱:"), {8, 114}},
      {about.MailLink, QStringLiteral("quenlow@example.org"), {100, 113}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text.toStdString());
    EXPECT_EQ(c.label->text(), c.text);
    EXPECT_EQ(c.label->pos(), c.at);
  }
  // Both captions end on column 96, just left of their links.
  EXPECT_EQ(about.HomePageCaption->text(), QStringLiteral("主页:"));
  EXPECT_EQ(about.HomePageCaption->geometry().right() + 1, 96);
  EXPECT_EQ(about.HomePageCaption->y(), 90);
  EXPECT_EQ(about.MailCaption->geometry(), QRect(8, 114, 88, 13));
  EXPECT_TRUE(about.MailCaption->alignment() & Qt::AlignRight);
  EXPECT_TRUE(about.NameLabel->font().bold());
  EXPECT_EQ(about.NameLabel->font().pixelSize(), 13);
  EXPECT_EQ(about.Icon->geometry(), QRect(136, 8, 32, 32));

  EXPECT_EQ(about.RulesText->toPlainText(), QStringLiteral("玩法:\n"
                                                       "    将2个相同图片连接，连接线不超过3根\n"
                                                       "    直线，就可以成功消除这2个图片，全\n"
                                                       "    部图片消除后，完成。"));
  EXPECT_TRUE(about.RulesText->isReadOnly());
  EXPECT_EQ(about.RulesText->geometry(), QRect(16, 136, 289, 89));
  EXPECT_EQ(about.RulesText->frameShadow(), QFrame::Plain);
  EXPECT_EQ(about.CloseButton->text(), QStringLiteral("关闭"));
  EXPECT_EQ(about.CloseButton->geometry(), QRect(240, 232, 75, 25));
}

TEST_F(FormAboutTest, LinksOpenTheirAddressAndTurnColourOnlyWhenTheSystemTookThem) {
  struct Case {
    const char* what;
    bool accepted;
    QColor after;
  };
  for (const Case& c : {Case{"accepted", true, UrlLabel::kVisitedColor},
                        Case{"refused", false, UrlLabel::kLinkColor}}) {
    SCOPED_TRACE(c.what);
    TFormAbout about(&owner_, QPixmap());
    about.show();
    std::vector<QUrl> opened;
    for (UrlLabel* link : {about.HomePageLink, about.MailLink}) {
      EXPECT_EQ(link->TextColor(), UrlLabel::kLinkColor);
      EXPECT_EQ(link->cursor().shape(), Qt::PointingHandCursor);
      EXPECT_TRUE(link->font().underline());
      EXPECT_EQ(link->font().pixelSize(), 11);
      link->SetOpener([&](const QUrl& url) {
        opened.push_back(url);
        return c.accepted;
      });
      QTest::mouseClick(link, Qt::LeftButton);
      EXPECT_EQ(link->TextColor(), c.after);
    }
    EXPECT_EQ(opened, (std::vector<QUrl>{QUrl(QStringLiteral("http://quenlow.example.org/")),
                                         QUrl(QStringLiteral("mailto:quenlow@example.org"))}));
  }
}

TEST_F(FormAboutTest, OpensCentredOnTheMainWindowAndEnterClosesIt) {
  QRect shown;
  QWidget* focus = nullptr;
  testing::ModalAnswers answers([&](QWidget* box) {
    shown = box->frameGeometry();
    focus = box->focusWidget();
    // Escape leaves the window open; Enter, given to whatever has the focus, closes it.
    QTest::keyClick(box, Qt::Key_Escape);
    EXPECT_TRUE(box->isVisible());
    QTest::keyClick(box->focusWidget(), Qt::Key_Return);
  });
  TFormAbout about(&owner_, QPixmap());
  EXPECT_EQ(about.exec(), QDialog::Accepted);
  EXPECT_EQ(answers.Answered(), 1);
  EXPECT_EQ(focus, about.CloseButton);
  EXPECT_LE((shown.center() - owner_.frameGeometry().center()).manhattanLength(), 2);
}

}  // namespace
}  // namespace quenlow
