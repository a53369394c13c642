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

  QImage Board() const { return BoardWidget()->grab().toImage(); }

  // The window's controls, found as a script or a test tool would find them: by object name.
  template <typename T>
  T* Find(const char* name) const {
    T* control = form_->findChild<T*>(QLatin1String(name));
    EXPECT_NE(control, nullptr) << "no control named " << name;
    return control;
  }
  BoardView* BoardWidget() const { return Find<BoardView>("BoardView"); }
  PictureView* PausePicture() const { return Find<PictureView>("PausePicture"); }
  TimeGauge* TimeBar() const { return Find<TimeGauge>("TimeBar"); }
  QLabel* LevelLabel() const { return Find<QLabel>("LevelLabel"); }
  QLabel* ScoreLabel() const { return Find<QLabel>("ScoreLabel"); }
  QTimer* TickTimer() const { return Find<QTimer>("TickTimer"); }
  TScoreForm* Leaderboard() const { return Find<TScoreForm>("ScoreForm"); }
  QMenuBar* MenuBar() const { return Find<QMenuBar>("MenuBar"); }
  QMenu* Menu(const char* name) const { return Find<QMenu>(name); }
  QAction* Command(const char* name) const { return Find<QAction>(name); }

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
  EXPECT_FALSE(TickTimer()->isActive());
  EXPECT_EQ(TickTimer()->interval(), 3000);
  EXPECT_FALSE(Leaderboard()->isVisible());
  // Without a score file the records are empty and no file is made.
  EXPECT_FALSE(QFile::exists(scoreFile_));
  EXPECT_EQ(form.GetRecords().BestScore[1], 0);

  struct Case {
    QWidget* control;
    QRect geometry;
    bool visible;
  };
  const Case cases[] = {
      {BoardWidget(), {0, 0, 640, 550}, true},
      {PausePicture(), {0, 0, 640, 550}, false},
      {TimeBar(), {312, 8, 209, 25}, false},
      {LevelLabel(), {8, 8, 300, 33}, true},
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
  EXPECT_EQ(ScoreLabel()->parentWidget(), client);
  EXPECT_EQ(ScoreLabel()->pos(), QPoint(552, 8));
  EXPECT_FALSE(ScoreLabel()->isVisible());
  stacking << ScoreLabel();
  // Bottom of the stacking order first.
  EXPECT_EQ(client->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly), stacking);

  EXPECT_EQ(LevelLabel()->text(), QString());
  EXPECT_EQ(LevelLabel()->font().pixelSize(), 20);
  EXPECT_EQ(LevelLabel()->palette().color(QPalette::WindowText), QColor(255, 255, 0));
  EXPECT_FALSE(LevelLabel()->autoFillBackground());
  EXPECT_EQ(ScoreLabel()->text(), QStringLiteral("0"));
  EXPECT_EQ(ScoreLabel()->font().pixelSize(), 21);
  EXPECT_TRUE(ScoreLabel()->font().bold());
  EXPECT_TRUE(ScoreLabel()->font().italic());
  EXPECT_EQ(ScoreLabel()->palette().color(QPalette::Window), QColor(Qt::black));
  EXPECT_EQ(TimeBar()->Value(), 100);
  EXPECT_EQ(TimeBar()->BarColor(), QColor(0, 128, 0));

  // The board is black all over.
  const QImage board = Board();
  int nonBlack = 0;
  for (int y = 0; y < board.height(); ++y)
    for (int x = 0; x < board.width(); ++x)
      if ((board.pixel(x, y) & 0xffffff) != 0) ++nonBlack;
  EXPECT_EQ(nonBlack, 0);
}

TEST_F(MainFormTest, MenuTreeWithCaptionsAccessKeysAndShortcuts) {
  struct Item {
    QAction* action;
    const char* name;
    QString caption;
    QKeySequence shortcut;
  };
  const Item bar[] = {
      {Menu("GameMenu")->menuAction(), "GameMenu", QStringLiteral("游戏(&G)"), {}},
      {Menu("FunctionMenu")->menuAction(), "FunctionMenu", QStringLiteral("功能(&T)"), {}},
      {Command("HelpCommand"), "HelpCommand", QStringLiteral("帮助(&H)"), {}},
      {Command("AboutCommand"), "AboutCommand", QStringLiteral("关于(&A)"), {}},
      {Command("QuitCommand"), "QuitCommand", QStringLiteral("退出(&X)"), {}},
  };
  const Item game[] = {
      {Command("EasyCommand"), "EasyCommand", QStringLiteral("简单"), Qt::Key_F2},
      {Command("NormalCommand"), "NormalCommand", QStringLiteral("普通"), Qt::Key_F3},
      {Command("HardCommand"), "HardCommand", QStringLiteral("困难"), Qt::Key_F4},
      {Command("GameMenuSeparator"), "GameMenuSeparator", QString(), {}},
      {Command("LeaderboardCommand"), "LeaderboardCommand", QStringLiteral("排行榜"), {}},
  };
  const Item functions[] = {
      {Command("RemovePairCommand"), "RemovePairCommand", QStringLiteral("自动消除一对"),
       Qt::Key_F6},
      {Command("HintCommand"), "HintCommand", QStringLiteral("提示"), Qt::Key_F7},
      {Command("ShuffleCommand"), "ShuffleCommand", QStringLiteral("洗牌"), Qt::Key_F8},
      {Command("PauseCommand"), "PauseCommand", QStringLiteral("暂停"), Qt::Key_F9},
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
      EXPECT_EQ(item.action->isCheckable(), std::string(item.name) == "PauseCommand");
      EXPECT_TRUE(item.action->isEnabled());
    }
  };
  check(MenuBar()->actions(), bar);
  check(Menu("GameMenu")->actions(), game);
  check(Menu("FunctionMenu")->actions(), functions);
  EXPECT_TRUE(Command("GameMenuSeparator")->isSeparator());
  EXPECT_FALSE(Command("PauseCommand")->isChecked());

  // The access keys that the captions mark.
  struct Key {
    QAction* action;
    QKeySequence key;
  };
  for (const Key& k : {Key{Menu("GameMenu")->menuAction(), QKeySequence(Qt::ALT | Qt::Key_G)},
                       Key{Menu("FunctionMenu")->menuAction(), QKeySequence(Qt::ALT | Qt::Key_T)},
                       Key{Command("HelpCommand"), QKeySequence(Qt::ALT | Qt::Key_H)},
                       Key{Command("AboutCommand"), QKeySequence(Qt::ALT | Qt::Key_A)},
                       Key{Command("QuitCommand"), QKeySequence(Qt::ALT | Qt::Key_X)}}) {
    EXPECT_EQ(QKeySequence::mnemonic(k.action->text()), k.key) << k.action->text().toStdString();
  }
}

// Pixels of the strip left of the pause caption that differ from the menu's ground.
int MarksBesidePause(TMainForm& form) {
  QMenu& menu = *form.findChild<QMenu*>(QStringLiteral("FunctionMenu"));
  menu.ensurePolished();
  menu.adjustSize();
  const QImage picture = menu.grab().toImage();
  const QRect item = menu.actionGeometry(form.findChild<QAction*>(QStringLiteral("PauseCommand")));
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
  Command("PauseCommand")->setChecked(true);
  EXPECT_GT(MarksBesidePause(*form_), 10) << "no check mark beside the checked item";
}

TEST_F(MainFormTest, FunctionKeysStartAGameAndPauseIt) {
  TMainForm& form = *form_;
  ShowActive();
  QTest::keyClick(&form, Qt::Key_F2);
  EXPECT_EQ(LevelLabel()->text(), QStringLiteral("第1关：不变化"));
  EXPECT_TRUE(TimeBar()->isVisible());
  EXPECT_TRUE(ScoreLabel()->isVisible());
  EXPECT_EQ(ScoreLabel()->text(), QStringLiteral("0"));
  EXPECT_EQ(ScoreLabel()->geometry(), QRect(QPoint(552, 8), ScoreLabel()->sizeHint()));
  EXPECT_TRUE(TickTimer()->isActive());
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
  EXPECT_EQ(client->childAt(100, 125), BoardWidget());
  QTest::keyClick(&form, Qt::Key_F9);
  EXPECT_TRUE(Command("PauseCommand")->isChecked());
  EXPECT_TRUE(PausePicture()->isVisible());
  EXPECT_FALSE(TickTimer()->isActive());
  EXPECT_EQ(client->childAt(100, 125), PausePicture());
  EXPECT_EQ(client->childAt(400, 20), TimeBar());
  EXPECT_EQ(client->childAt(20, 20), LevelLabel());
  QTest::keyClick(&form, Qt::Key_F9);
  EXPECT_FALSE(Command("PauseCommand")->isChecked());
  EXPECT_FALSE(PausePicture()->isVisible());
  EXPECT_TRUE(TickTimer()->isActive());

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
  Command("HelpCommand")->trigger();
  EXPECT_EQ(answers.Answered(), 1);
  EXPECT_EQ(LevelLabel()->text(), QString());

  // The leaderboard stands beside the game: F3 starts a normal game from it.
  Command("LeaderboardCommand")->trigger();
  Leaderboard()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Leaderboard()));
  QTest::keyClick(Leaderboard(), Qt::Key_F3);
  EXPECT_EQ(LevelLabel()->text(), QStringLiteral("第1关：不变化"));
  EXPECT_EQ(form.GetGame().State().Difficulty, Difficulty::Normal);
}

TEST_F(MainFormTest, PickedTileShowsInvertedOnTheBoard) {
  TMainForm& form = *form_;
  ShowActive();
  Command("EasyCommand")->trigger();
  QTest::mouseClick(BoardWidget(), Qt::RightButton, Qt::NoModifier, QPoint(101, 126));
  QCoreApplication::processEvents();
  EXPECT_EQ(form.Flow().CurrentPick().Count, 1);
  EXPECT_EQ(Board().pixelColor(82, 102), QColor(Qt::black));
  EXPECT_EQ(BoardWidget()->ShownVersion(), form.Picture().Version());
}

TEST_F(MainFormTest, TimeBarFallsWhileABoxIsOpen) {
  ShowActive();
  Command("EasyCommand")->trigger();
  TickTimer()->setInterval(1);
  int seen = 100;
  ModalAnswers answers([&](QWidget* box) {
    EXPECT_TRUE(QTest::qWaitFor([&] { return TimeBar()->Value() < 95; }));
    seen = TimeBar()->Value();
    QTest::keyClick(box, Qt::Key_Return);
  });
  Command("HelpCommand")->trigger();
  EXPECT_EQ(answers.Answered(), 1);
  EXPECT_LT(seen, 95);
}

TEST_F(MainFormTest, NewRecordShowsAtOnceInTheOpenLeaderboardAndResetClearsIt) {
  TMainForm& form = *form_;
  ShowActive();
  Command("EasyCommand")->trigger();
  Command("LeaderboardCommand")->trigger();
  TScoreForm& board = *Leaderboard();
  ASSERT_TRUE(board.isVisible());
  EXPECT_EQ(board.EasyScore->text(), QStringLiteral("0"));

  form.GetGame().SetScore(350);
  QStringList seen;
  ModalAnswers answers([&](QWidget* box) {
    seen << box->windowTitle();
    if (auto* entry = qobject_cast<NameEntryBox*>(box))
      entry->Field()->insert(QStringLiteral("王五"));
    QTest::keyClick(box, Qt::Key_Return);
  });
  TickTimer()->setInterval(1);
  ASSERT_TRUE(QTest::qWaitFor([&] { return board.EasyScore->text() == QStringLiteral("350"); }));
  EXPECT_EQ(seen, (QStringList{QString(), QStringLiteral("破纪录")}));
  EXPECT_EQ(board.EasyName->text(), QStringLiteral("王五"));
  EXPECT_FALSE(TickTimer()->isActive());
  EXPECT_FALSE(BoardWidget()->isEnabled());
  EXPECT_EQ(TimeBar()->Value(), 0);
  EXPECT_EQ(TimeBar()->BarColor(), QColor(255, 0, 0));
  QFile file(scoreFile_);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  // The typed name reaches the file in code page 936.
  EXPECT_TRUE(file.readAll().contains("[easy]\r\nname=\xCD\xF5\xCE\xE5\r\nscore=350\r\n"));
  file.close();

  QTest::mouseClick(board.ResetButton, Qt::LeftButton);
  EXPECT_EQ(board.EasyScore->text(), QStringLiteral("0"));
  EXPECT_EQ(board.EasyName->text(), QString());
  EXPECT_TRUE(board.isVisible());
  EXPECT_EQ(form.GetRecords().BestScore[1], 0);
}

TEST_F(MainFormTest, QuitClosesTheWindowAndTheLeaderboard) {
  TMainForm& form = *form_;
  ShowActive();
  Command("EasyCommand")->trigger();
  Command("LeaderboardCommand")->trigger();
  Command("QuitCommand")->trigger();
  EXPECT_FALSE(form.isVisible());
  EXPECT_FALSE(Leaderboard()->isVisible());
  EXPECT_FALSE(TickTimer()->isActive());
  EXPECT_FALSE(QFile::exists(scoreFile_));
}

}  // namespace
}  // namespace quenlow
