#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cstdlib>
#include <functional>

#include "tests/qt/ModalAnswers.h"
#include "ui/qt/Boxes.h"

namespace quenlow {
namespace {

using testing::ModalAnswers;

QStringList ButtonTexts(const QMessageBox& box) {
  QStringList texts;
  for (QAbstractButton* button : box.buttons()) texts << button->text();
  texts.sort();
  return texts;
}

TEST(Boxes, LookAsTheGameNeedsThem) {
  struct Case {
    const char* what;
    std::function<std::unique_ptr<QMessageBox>()> make;
    QString title;
    QMessageBox::Icon icon;
    QStringList buttons;  // sorted
    QString defaultButton;
    QString escapeButton;
  };
  const Case cases[] = {
      {"message",
       [] { return MakeMessageBox(nullptr, QStringLiteral("时间到了！")); },
       QString(),
       QMessageBox::NoIcon,
       {QStringLiteral("OK")},
       QStringLiteral("OK"),
       QStringLiteral("OK")},
      {"question",
       [] { return MakeQuestionBox(nullptr, QStringLiteral("没有可提示的方块")); },
       QStringLiteral("Information"),
       QMessageBox::Information,
       {QStringLiteral("&No"), QStringLiteral("&Yes")},
       QStringLiteral("&Yes"),
       QStringLiteral("&No")},
      {"error",
       [] { return MakeErrorBox(nullptr, QStringLiteral("Unable to write to x.")); },
       QString(),
       QMessageBox::Critical,
       {QStringLiteral("OK")},
       QStringLiteral("OK"),
       QStringLiteral("OK")},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    auto box = c.make();
    EXPECT_EQ(box->windowTitle(), c.title);
    EXPECT_EQ(box->icon(), c.icon);
    EXPECT_EQ(ButtonTexts(*box), c.buttons);
    ASSERT_NE(box->defaultButton(), nullptr);
    EXPECT_EQ(box->defaultButton()->text(), c.defaultButton);
    ASSERT_NE(box->escapeButton(), nullptr);
    EXPECT_EQ(box->escapeButton()->text(), c.escapeButton);
  }
}

TEST(Boxes, QuestionAnswersYesOnEnterAndNoOnEscapeOrClose) {
  struct Case {
    const char* what;
    std::function<void(QWidget*)> answer;
    bool yes;
  };
  const Case cases[] = {
      {"Enter", [](QWidget* box) { QTest::keyClick(box, Qt::Key_Return); }, true},
      {"Escape", [](QWidget* box) { QTest::keyClick(box, Qt::Key_Escape); }, false},
      {"close box", [](QWidget* box) { box->close(); }, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ModalAnswers answers(c.answer);
    EXPECT_EQ(RunQuestionBox(nullptr, QStringLiteral("没有可提示的方块，是否洗牌？")), c.yes);
    EXPECT_EQ(answers.Answered(), 1);
  }
}

TEST(Boxes, MessageBoxClosesOnEnterAndOnEscape) {
  for (Qt::Key key : {Qt::Key_Return, Qt::Key_Escape}) {
    ModalAnswers answers([key](QWidget* box) { QTest::keyClick(box, key); });
    RunMessageBox(nullptr, QStringLiteral("恭喜你，过关了！"));
    EXPECT_EQ(answers.Answered(), 1);
  }
}

TEST(Boxes, NameEntryTakesAtMost255CharactersAndCancelGivesNoName) {
  struct Case {
    const char* what;
    QString typed;
    bool confirm;
    QString name;
  };
  const QString longName(300, QChar(u'张'));
  const Case cases[] = {
      {"confirmed", QStringLiteral("李四"), true, QStringLiteral("李四")},
      {"too long", longName, true, longName.left(kMaxNameLength)},
      {"cancelled", QStringLiteral("李四"), false, QString()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QString title;
    ModalAnswers answers([&](QWidget* widget) {
      auto* box = qobject_cast<NameEntryBox*>(widget);
      ASSERT_NE(box, nullptr);
      title = box->windowTitle();
      EXPECT_TRUE(box->OkButton()->isDefault());
      box->Field()->insert(c.typed);
      QTest::keyClick(box, c.confirm ? Qt::Key_Return : Qt::Key_Escape);
    });
    const QString name = RunNameEntryBox(nullptr, QStringLiteral("破纪录"),
                                         QStringLiteral("已破简单级纪录,请留尊姓大名"));
    EXPECT_EQ(name, c.name);
    EXPECT_EQ(title, QStringLiteral("破纪录"));
  }
}

TEST(Boxes, PlainBoxKeepsNoIconColumnAndCentresItsButton) {
  for (const QString& text :
       {QStringLiteral("时间到了！"),
        QStringLiteral("将2个相同图片连接，连接线不超过3根直线，就可以成功消除这2个"
                       "图片，全部图片消除后，完成。")}) {
    SCOPED_TRACE(text.toStdString());
    QRect box, label, button;
    ModalAnswers answers([&](QWidget* shown) {
      box = shown->rect();
      label = shown->findChild<QLabel*>(QStringLiteral("qt_msgbox_label"))->geometry();
      QPushButton* ok = shown->findChild<QPushButton*>();
      button = QRect(ok->mapTo(shown, QPoint()), ok->size());
      QTest::keyClick(shown, Qt::Key_Return);
    });
    RunMessageBox(nullptr, text);
    ASSERT_EQ(answers.Answered(), 1);
    // The text starts at the box's margin, not beside an empty icon column (its ink's even
    // margins are checked from the screen under a window manager); the button sits in the middle.
    EXPECT_LE(label.left(), 20);
    EXPECT_LE(std::abs(button.center().x() - box.center().x()), 2);
  }
}

TEST(Boxes, OpenCentredOnTheScreen) {
  QWidget owner;
  owner.setGeometry(0, 0, 200, 100);
  owner.show();
  QRect shown;
  ModalAnswers answers([&](QWidget* box) {
    shown = box->frameGeometry();
    QTest::keyClick(box, Qt::Key_Return);
  });
  RunMessageBox(&owner, QStringLiteral("将2个相同图片连接"));
  const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
  EXPECT_LE((shown.center() - screenCentre).manhattanLength(), 2);
}

}  // namespace
}  // namespace quenlow
