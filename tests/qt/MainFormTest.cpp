#include <gtest/gtest.h>

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <memory>

#include "tests/qt/ModalAnswers.h"
#include "ui/qt/Boxes.h"
#include "ui/qt/MainForm.h"
#include "ui/qt/PictureView.h"
#include "ui/qt/ScoreForm.h"
#include "ui/qt/TimeGauge.h"

namespace quenlow {
namespace {

using testing::ModalAnswers;

class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest()
      : scoreFile_(dir_.filePath(QStringLiteral("score.ini"))),
        form_(std::make_unique<TMainForm>(scoreFile_.toStdString())) {}

  void ShowActive() {
    form_->show();
    form_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form_.get()));
  }

  QImage Board() const { return form_->Image->grab().toImage(); }

  QTemporaryDir dir_;
  QString scoreFile_;
  std::unique_ptr<TMainForm> form_;
};

TEST_F(MainFormTest, WindowAtStartUp) {
  TMainForm& form = *form_;
  form.show();
  EXPECT_EQ(form.windowTitle(), QStringLiteral("Quenlow"));
  EXPECT_EQ(form.centralWidget()->geometry(), QRect(0, form.menuBar()->height(), 640, 550));
  EXPECT_EQ(form.minimumSize(), form.maximumSize());
  EXPECT_TRUE(form.windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_FALSE(form.windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_EQ(form.pos(), QPoint(300, 138));
  EXPECT_FALSE(form.windowIcon().isNull());
  EXPECT_FALSE(form.Timer1->isActive());
  EXPECT_EQ(form.Timer1->interval(), 3000);
  EXPECT_FALSE(form.ScoreForm->isVisible());
  // Without a score file the records are empty and no file is made.
  EXPECT_FALSE(QFile::exists(scoreFile_));
  EXPECT_EQ(form.GetRecords().BestScore[1], 0);

  struct Case {
    QWidget* control;
    QRect geometry;
    bool visible;
  };
  const Case cases[] = {
      {form.Image, {0, 0, 640, 550}, true},
      {form.Imagepause, {0, 0, 640, 550}, false},
      {form.Gauge1, {312, 8, 209, 25}, false},
      {form.LevelBox, {8, 8, 300, 33}, true},
  };
  QWidget* client = form.centralWidget();
  QList<QWidget*> stacking;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.control->objectName().toStdString());
    EXPECT_EQ(c.control->parentWidget(), client);
    EXPECT_EQ(c.control->geometry(), c.geometry);
    EXPECT_EQ(c.control->isVisible(), c.visible);
    stacking << c.control;
  }
  // The hidden score label is sized to its text only when a game sets it.
  EXPECT_EQ(form.scorebox->parentWidget(), client);
  EXPECT_EQ(form.scorebox->pos(), QPoint(552, 8));
  EXPECT_FALSE(form.scorebox->isVisible());
  stacking << form.scorebox;
  // Bottom of the stacking order first.
  EXPECT_EQ(client->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly), stacking);

  EXPECT_EQ(form.LevelBox->text(), QString());
  EXPECT_EQ(form.LevelBox->font().pixelSize(), 20);
  EXPECT_EQ(form.LevelBox->palette().color(QPalette::WindowText), QColor(255, 255, 0));
  EXPECT_FALSE(form.LevelBox->autoFillBackground());
  EXPECT_EQ(form.scorebox->text(), QStringLiteral("0"));
  EXPECT_EQ(form.scorebox->font().pixelSize(), 21);
  EXPECT_TRUE(form.scorebox->font().bold());
  EXPECT_TRUE(form.scorebox->font().italic());
  EXPECT_EQ(form.scorebox->palette().color(QPalette::Window), QColor(Qt::black));
  EXPECT_EQ(form.Gauge1->Value(), 100);
  EXPECT_EQ(form.Gauge1->BarColor(), QColor(0, 128, 0));

  // The board is black all over.
  const QImage board = Board();
  int nonBlack = 0;
  for (int y = 0; y < board.height(); ++y)
    for (int x = 0; x < board.width(); ++x)
      if ((board.pixel(x, y) & 0xffffff) != 0) ++nonBlack;
  EXPECT_EQ(nonBlack, 0);
}

TEST_F(MainFormTest, MenuTreeWithCaptionsAccessKeysAndShortcuts) {
  TMainForm& form = *form_;
  struct Item {
    QAction* action;
    const char* name;
    QString caption;
    QKeySequence shortcut;
  };
  const Item bar[] = {
      {form.NGame->menuAction(), "NGame", QStringLiteral("游戏(&G)"), {}},
      {form.NFunction->menuAction(), "NFunction", QStringLiteral("功能(&T)"), {}},
      {form.NHelp, "NHelp", QStringLiteral("帮助(&H)"), {}},
      {form.NAbout, "NAbout", QStringLiteral("关于(&A)"), {}},
      {form.NQuit, "NQuit", QStringLiteral("退出(&X)"), {}},
  };
  const Item game[] = {
      {form.NEasy, "NEasy", QStringLiteral("简单"), Qt::Key_F2},
      {form.NNormal, "NNormal", QStringLiteral("普通"), Qt::Key_F3},
      {form.NHard, "NHard", QStringLiteral("困难"), Qt::Key_F4},
      {form.N3, "N3", QString(), {}},
      {form.NSequence, "NSequence", QStringLiteral("排行榜"), {}},
  };
  const Item functions[] = {
      {form.NEliminate, "NEliminate", QStringLiteral("自动消除一对"), Qt::Key_F6},
      {form.NHint, "NHint", QStringLiteral("提示"), Qt::Key_F7},
      {form.NShuffle, "NShuffle", QStringLiteral("洗牌"), Qt::Key_F8},
      {form.NPause, "NPause", QStringLiteral("暂停"), Qt::Key_F9},
  };
  auto check = [](const QList<QAction*>& actions, const auto& items) {
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(std::size(items)));
    for (std::size_t i = 0; i < std::size(items); ++i) {
      const Item& item = items[i];
      SCOPED_TRACE(item.name);
      EXPECT_EQ(actions[static_cast<qsizetype>(i)], item.action);
      EXPECT_EQ(item.action->objectName(), QLatin1String(item.name));
      EXPECT_EQ(item.action->text(), item.caption);
      EXPECT_EQ(item.action->shortcut(), item.shortcut);
      EXPECT_EQ(item.action->isCheckable(), std::string(item.name) == "NPause");
      EXPECT_TRUE(item.action->isEnabled());
    }
  };
  check(form.MainMenu1->actions(), bar);
  check(form.NGame->actions(), game);
  check(form.NFunction->actions(), functions);
  EXPECT_TRUE(form.N3->isSeparator());
  EXPECT_FALSE(form.NPause->isChecked());

  // The access keys that the captions mark.
  struct Key {
    QAction* action;
    QKeySequence key;
  };
  for (const Key& k : {Key{form.NGame->menuAction(), QKeySequence(Qt::ALT | Qt::Key_G)},
                       Key{form.NFunction->menuAction(), QKeySequence(Qt::ALT | Qt::Key_T)},
                       Key{form.NHelp, QKeySequence(Qt::ALT | Qt::Key_H)},
                       Key{form.NAbout, QKeySequence(Qt::ALT | Qt::Key_A)},
                       Key{form.NQuit, QKeySequence(Qt::ALT | Qt::Key_X)}}) {
    EXPECT_EQ(QKeySequence::mnemonic(k.action->text()), k.key) << k.action->text().toStdString();
  }
}

// Pixels of the strip left of the pause caption that differ from the menu's ground.
int MarksBesidePause(TMainForm& form) {
  QMenu& menu = *form.NFunction;
  menu.ensurePolished();
  menu.adjustSize();
  const QImage picture = menu.grab().toImage();
  const QRect item = menu.actionGeometry(form.NPause);
  const QRect strip(item.left() + 2, item.top() + 2, 24, item.height() - 4);
  const QRgb ground = picture.pixel(strip.topLeft());
  int marks = 0;
  for (int y = strip.top(); y <= strip.bottom(); ++y) {
    for (int x = strip.left(); x <= strip.right(); ++x) marks += picture.pixel(x, y) != ground;
  }
  return marks;
}

TEST_F(MainFormTest, PauseItemShowsACheckMarkOnlyWhilePaused) {
  EXPECT_EQ(MarksBesidePause(*form_), 0) << "something stands beside the unchecked item";
  form_->NPause->setChecked(true);
  EXPECT_GT(MarksBesidePause(*form_), 10) << "no check mark beside the checked item";
}

TEST_F(MainFormTest, FunctionKeysStartAGameAndPauseIt) {
  TMainForm& form = *form_;
  ShowActive();
  QTest::keyClick(&form, Qt::Key_F2);
  EXPECT_EQ(form.LevelBox->text(), QStringLiteral("第1关：不变化"));
  EXPECT_TRUE(form.Gauge1->isVisible());
  EXPECT_TRUE(form.scorebox->isVisible());
  EXPECT_EQ(form.scorebox->text(), QStringLiteral("0"));
  EXPECT_EQ(form.scorebox->geometry(), QRect(QPoint(552, 8), form.scorebox->sizeHint()));
  EXPECT_TRUE(form.Timer1->isActive());
  QCoreApplication::processEvents();
  // The easy field, 80..560 x 100..450, holds tiles: white inside a black frame.
  QImage board = Board();
  EXPECT_EQ(board.pixelColor(79, 99), QColor(Qt::black));
  EXPECT_EQ(board.pixelColor(80, 100), QColor(Qt::black));
  EXPECT_EQ(board.pixelColor(82, 102), QColor(Qt::white));
  EXPECT_EQ(board.pixelColor(557, 447), QColor(Qt::white));
  EXPECT_EQ(board.pixelColor(565, 455), QColor(Qt::black));

  // F9 covers the board, which then no longer takes presses, stops the timer and checks the
  // item; the labels and the time bar stay above the cover.
  QWidget* client = form.centralWidget();
  EXPECT_EQ(client->childAt(100, 125), form.Image);
  QTest::keyClick(&form, Qt::Key_F9);
  EXPECT_TRUE(form.NPause->isChecked());
  EXPECT_TRUE(form.Imagepause->isVisible());
  EXPECT_FALSE(form.Timer1->isActive());
  EXPECT_EQ(client->childAt(100, 125), form.Imagepause);
  EXPECT_EQ(client->childAt(400, 20), form.Gauge1);
  EXPECT_EQ(client->childAt(20, 20), form.LevelBox);
  QTest::keyClick(&form, Qt::Key_F9);
  EXPECT_FALSE(form.NPause->isChecked());
  EXPECT_FALSE(form.Imagepause->isVisible());
  EXPECT_TRUE(form.Timer1->isActive());

  // F4 starts over at once with the hard field, which begins further up and left.
  QTest::keyClick(&form, Qt::Key_F4);
  QCoreApplication::processEvents();
  board = Board();
  EXPECT_EQ(board.pixelColor(42, 62), QColor(Qt::white));
}

TEST_F(MainFormTest, FunctionKeysWorkFromTheLeaderboardButNotInsideABox) {
  TMainForm& form = *form_;
  ShowActive();
  // A box holds the keys back while it waits.
  ModalAnswers answers([&](QWidget* box) {
    QTest::keyClick(box, Qt::Key_F2);
    QTest::keyClick(box, Qt::Key_Return);
  });
  form.NHelp->trigger();
  EXPECT_EQ(answers.Answered(), 1);
  EXPECT_EQ(form.LevelBox->text(), QString());

  // The leaderboard stands beside the game: F3 starts a normal game from it.
  form.NSequence->trigger();
  form.ScoreForm->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(form.ScoreForm));
  QTest::keyClick(form.ScoreForm, Qt::Key_F3);
  EXPECT_EQ(form.LevelBox->text(), QStringLiteral("第1关：不变化"));
  EXPECT_EQ(form.GetGame().State().Difficulty, 2);
}

TEST_F(MainFormTest, PickedTileShowsInvertedOnTheBoard) {
  TMainForm& form = *form_;
  ShowActive();
  form.NEasy->trigger();
  QTest::mouseClick(form.Image, Qt::RightButton, Qt::NoModifier, QPoint(101, 126));
  QCoreApplication::processEvents();
  EXPECT_EQ(form.GetGame().State().ClickCount, 1);
  EXPECT_EQ(Board().pixelColor(82, 102), QColor(Qt::black));
  EXPECT_EQ(form.Image->ShownVersion(), form.Picture().Version());
}

TEST_F(MainFormTest, TimeBarFallsWhileABoxIsOpen) {
  TMainForm& form = *form_;
  ShowActive();
  form.NEasy->trigger();
  form.Timer1->setInterval(1);
  int seen = 100;
  ModalAnswers answers([&](QWidget* box) {
    EXPECT_TRUE(QTest::qWaitFor([&] { return form.Gauge1->Value() < 95; }));
    seen = form.Gauge1->Value();
    QTest::keyClick(box, Qt::Key_Return);
  });
  form.NHelp->trigger();
  EXPECT_EQ(answers.Answered(), 1);
  EXPECT_LT(seen, 95);
}

TEST_F(MainFormTest, NewRecordShowsAtOnceInTheOpenLeaderboardAndResetClearsIt) {
  TMainForm& form = *form_;
  ShowActive();
  form.NEasy->trigger();
  form.NSequence->trigger();
  TScoreForm& board = *form.ScoreForm;
  ASSERT_TRUE(board.isVisible());
  EXPECT_EQ(board.Label4->text(), QStringLiteral("0"));

  form.GetGame().State().Score = 350;
  QStringList seen;
  ModalAnswers answers([&](QWidget* box) {
    seen << box->windowTitle();
    if (auto* entry = qobject_cast<NameEntryBox*>(box))
      entry->Field()->insert(QStringLiteral("王五"));
    QTest::keyClick(box, Qt::Key_Return);
  });
  form.Timer1->setInterval(1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return board.Label4->text() == QStringLiteral("350"); }));
  EXPECT_EQ(seen, (QStringList{QString(), QStringLiteral("破纪录")}));
  EXPECT_EQ(board.Label7->text(), QStringLiteral("王五"));
  EXPECT_FALSE(form.Timer1->isActive());
  EXPECT_FALSE(form.Image->isEnabled());
  EXPECT_EQ(form.Gauge1->Value(), 0);
  EXPECT_EQ(form.Gauge1->BarColor(), QColor(255, 0, 0));
  ASSERT_TRUE(QFile::exists(scoreFile_));

  QTest::mouseClick(board.Button1, Qt::LeftButton);
  EXPECT_EQ(board.Label4->text(), QStringLiteral("0"));
  EXPECT_EQ(board.Label7->text(), QString());
  EXPECT_TRUE(board.isVisible());
  EXPECT_EQ(form.GetRecords().BestScore[1], 0);
}

TEST_F(MainFormTest, QuitClosesTheWindowAndTheLeaderboard) {
  TMainForm& form = *form_;
  ShowActive();
  form.NEasy->trigger();
  form.NSequence->trigger();
  form.NQuit->trigger();
  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(form.ScoreForm->isVisible());
  EXPECT_FALSE(form.Timer1->isActive());
  EXPECT_FALSE(QFile::exists(scoreFile_));
}

}  // namespace
}  // namespace quenlow
