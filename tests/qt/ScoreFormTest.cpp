#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "scores/Records.h"
#include "ui/qt/ScoreForm.h"

namespace quenlow {
namespace {

class ScoreFormTest : public ::testing::Test {
 protected:
  ScoreFormTest() : records_(dir_.filePath(QStringLiteral("score.ini")).toStdString()) {
    mainWindow_.setGeometry(300, 138, 640, 570);
    mainWindow_.show();
  }

  void SetRecord(int difficulty, const QString& name, int score) {
    records_.BestName[static_cast<std::size_t>(difficulty)] = name.toStdString();
    records_.BestScore[static_cast<std::size_t>(difficulty)] = score;
  }

  // The six record labels: scores of easy, normal, hard, then the three names.
  static QStringList Shown(const TScoreForm& form) {
    return {form.EasyScore->text(), form.NormalScore->text(), form.HardScore->text(),
            form.EasyName->text(), form.NormalName->text(), form.HardName->text()};
  }

  QTemporaryDir dir_;
  Records records_;
  QWidget mainWindow_;
  bool resetSucceeds_ = true;
  int resets_ = 0;
  TScoreForm::ResetAction reset_ = [this] {
    ++resets_;
    if (!resetSucceeds_) return false;
    records_.ResetRecords();
    return true;
  };
};

TEST_F(ScoreFormTest, ShowsEachRowsLabelsAtTheirPlaces) {
  TScoreForm form(records_, reset_, &mainWindow_);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.windowTitle(), QStringLiteral("排行榜"));
  struct Case {
    QLabel* label;
    QPoint at;
    QString text;
  };
  const Case cases[] = {
      {form.EasyTitle, {24, 24}, QStringLiteral("简单级：")},
      {form.NormalTitle, {24, 48}, QStringLiteral("普通级：")},
      {form.HardTitle, {24, 72}, QStringLiteral("困难级：")},
      {form.EasyScore, {96, 24}, QStringLiteral("0")},
      {form.NormalScore, {96, 48}, QStringLiteral("0")},
      {form.HardScore, {96, 72}, QStringLiteral("0")},
      {form.EasyName, {168, 24}, QString()},
      {form.NormalName, {168, 48}, QString()},
      {form.HardName, {168, 72}, QString()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.label->objectName().toStdString());
    EXPECT_EQ(c.label->pos(), c.at);
    EXPECT_EQ(c.label->text(), c.text);
  }
  EXPECT_EQ(form.ResetButton->geometry(), QRect(24, 96, 89, 25));
  EXPECT_EQ(form.ResetButton->text(), QStringLiteral("重新计分"));
  EXPECT_EQ(form.CloseButton->geometry(), QRect(136, 96, 81, 25));
  EXPECT_EQ(form.CloseButton->text(), QStringLiteral("确定"));
}

TEST_F(ScoreFormTest, EveryShowingRefillsFromTheRecordsInMemory) {
  SetRecord(1, QStringLiteral("张三"), 1250);
  SetRecord(3, QStringLiteral("Wang"), -50);
  TScoreForm form(records_, reset_, &mainWindow_);
  form.Show();
  EXPECT_EQ(Shown(form), (QStringList{"1250", "0", "-50", "张三", "", "Wang"}));
  const int labelWidth = form.EasyScore->width();

  // A record taken while the window stands open shows at once on the next showing, and the
  // label grows to fit the longer number.
  SetRecord(2, QStringLiteral("李四"), 123450);
  form.Show();
  EXPECT_EQ(Shown(form), (QStringList{"1250", "123450", "-50", "张三", "李四", "Wang"}));
  EXPECT_GT(form.NormalScore->width(), labelWidth);
}

TEST_F(ScoreFormTest, ResetEmptiesTheRowsAndKeepsTheWindowOpen) {
  SetRecord(1, QStringLiteral("张三"), 1250);
  SetRecord(2, QStringLiteral("李四"), 900);
  TScoreForm form(records_, reset_, &mainWindow_);
  form.Show();
  QTest::mouseClick(form.ResetButton, Qt::LeftButton);
  EXPECT_EQ(resets_, 1);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(Shown(form), (QStringList{"0", "0", "0", "", "", ""}));
  form.hide();
  form.Show();
  EXPECT_EQ(Shown(form), (QStringList{"0", "0", "0", "", "", ""}));
}

TEST_F(ScoreFormTest, RefusedResetLeavesTheLabelsAsTheyWere) {
  SetRecord(2, QStringLiteral("李四"), 900);
  TScoreForm form(records_, reset_, &mainWindow_);
  form.Show();
  resetSucceeds_ = false;
  QTest::mouseClick(form.ResetButton, Qt::LeftButton);
  EXPECT_EQ(resets_, 1);
  EXPECT_EQ(Shown(form), (QStringList{"0", "900", "0", "", "李四", ""}));
}

TEST_F(ScoreFormTest, FirstShowingCentresOnTheMainWindowLaterOnesKeepThePlace) {
  TScoreForm form(records_, reset_, &mainWindow_);
  form.Show();
  EXPECT_EQ(form.frameGeometry().size(), QSize(269, 162));
  EXPECT_LE(
      (form.frameGeometry().center() - mainWindow_.frameGeometry().center()).manhattanLength(), 2);
  form.move(20, 30);
  QTest::mouseClick(form.CloseButton, Qt::LeftButton);
  EXPECT_FALSE(form.isVisible());
  form.Show();
  EXPECT_EQ(form.pos(), QPoint(20, 30));
}

TEST_F(ScoreFormTest, EnterResetsAtFirstAndEscapeDoesNothing) {
  SetRecord(1, QStringLiteral("张三"), 1250);
  TScoreForm form(records_, reset_, &mainWindow_);
  form.Show();
  EXPECT_EQ(form.focusWidget(), form.ResetButton);
  QTest::keyClick(&form, Qt::Key_Escape);
  EXPECT_TRUE(form.isVisible());
  EXPECT_EQ(resets_, 0);
  QTest::keyClick(form.ResetButton, Qt::Key_Return);
  EXPECT_EQ(resets_, 1);
  EXPECT_EQ(form.EasyScore->text(), QStringLiteral("0"));
}

}  // namespace
}  // namespace quenlow
