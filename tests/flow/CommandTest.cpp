// The menu commands: automatic removal, hint, shuffle, pause, and the plain ones.

#include "tests/flow/FlowFixture.h"

namespace quenlow::testing {
namespace {

using FlowCommandTest = FlowTest;

const std::vector<std::string> kCross = {"bc..........", "cb.........."};

TEST_F(FlowCommandTest, AutomaticRemovalTakesTheFirstPairAndKeepsThePick) {
  flow.StartGame(Difficulty::Easy);
  TickTo(49);
  Lay({"aa..........", "............", "..bb........"});
  PressCell(3, 3);
  screen.log.clear();
  bool repainted = false;
  screen.onRepaint = [&] {
    repainted = true;
    // Hint marks on both cells (still showing their tiles) and the path between them.
    EXPECT_TRUE(ShownHinted(1, 1, 1));
    EXPECT_TRUE(ShownHinted(2, 1, 1));
    EXPECT_EQ(picture.Pixel(120, 125), kYellow);
    EXPECT_EQ(game.At(1, 1), 0);
    EXPECT_EQ(State().Remaining, 2);
  };
  flow.RemovePairCommand();
  ASSERT_TRUE(repainted);
  screen.onRepaint = nullptr;

  EXPECT_EQ(screen.IndexOf("wait:200"), screen.IndexOf("repaint") + 1);
  EXPECT_EQ(game.At(1, 1), 0);
  EXPECT_EQ(game.At(2, 1), 0);
  EXPECT_EQ(State().Remaining, 2);
  EXPECT_EQ(flow.GaugeValue(), 50);
  EXPECT_EQ(flow.GaugeColour(), GaugeColor::Yellow);
  EXPECT_EQ(State().Score, 0);
  for (const auto& entry : screen.log) EXPECT_NE(entry.rfind("score:", 0), 0u) << entry;
  EXPECT_EQ(screen.Boxes(), 0);
  // The pick is still pending, though its mark went with the redraw.
  EXPECT_EQ(flow.CurrentPick().Count, 1);
  EXPECT_TRUE(ShownPlain(3, 3));
  ExpectSound();

  PressCell(4, 3);
  EXPECT_EQ(State().Score, 50);
  EXPECT_EQ(State().Stage, 2);  // that was the last pair
  ExpectSound();
}

TEST_F(FlowCommandTest, AutomaticRemovalAtAFullBarStaysAtAHundred) {
  flow.StartGame(Difficulty::Easy);
  Lay({"aa..........", "bb.........."});
  flow.RemovePairCommand();
  EXPECT_EQ(flow.GaugeValue(), 100);
  EXPECT_EQ(State().Remaining, 2);
}

TEST_F(FlowCommandTest, AutomaticRemovalWithoutAPairShufflesThreeTimes) {
  flow.StartGame(Difficulty::Easy);
  Lay(kCross);
  screen.log.clear();
  const int reseeds = random.reseeds;
  flow.RemovePairCommand();
  EXPECT_EQ(screen.log, std::vector<std::string>{"message:没有可提示的方块"});
  EXPECT_EQ(random.reseeds - reseeds, 3);
  EXPECT_EQ(State().Remaining, 4);
  for (const auto& [x, y] : {std::pair{1, 1}, {2, 1}, {1, 2}, {2, 2}}) EXPECT_NE(game.At(x, y), 0);
  ExpectSound();
}

TEST_F(FlowCommandTest, HintMarksThePairAndASecondHintTakesTheMarksAway) {
  flow.StartGame(Difficulty::Easy);
  Lay({"bc..........", "cb..........", "............", "....dd......"});
  const auto plain = Pixels();
  const auto cells = Field();
  flow.HintCommand();
  EXPECT_EQ(screen.Boxes(), 0);
  EXPECT_TRUE(ShownHinted(5, 4, 4));
  EXPECT_TRUE(ShownHinted(6, 4, 4));
  // Only the two hinted cells changed.
  const CellRect a = CellRectangle(Layout(), 5, 4);
  const CellRect b = CellRectangle(Layout(), 6, 4);
  for (int y = 0; y < BoardPicture::kHeight; ++y) {
    for (int x = 0; x < BoardPicture::kWidth; ++x) {
      const bool inHint = y >= a.Top && y < a.Bottom && x >= a.Left && x < b.Right;
      if (!inHint) {
        ASSERT_EQ(picture.Pixel(x, y), plain[static_cast<std::size_t>(y * 640 + x)]);
      }
    }
  }
  EXPECT_EQ(Field(), cells);
  EXPECT_EQ(State().Remaining, 6);

  flow.HintCommand();
  EXPECT_EQ(Pixels(), plain);
  EXPECT_EQ(screen.Boxes(), 0);
}

TEST_F(FlowCommandTest, HintWithoutAPairSaysSoAndDrawsNothing) {
  flow.StartGame(Difficulty::Easy);
  Lay(kCross);
  const auto plain = Pixels();
  flow.HintCommand();
  EXPECT_EQ(screen.log.back(), "message:没有可提示的方块");
  EXPECT_EQ(Pixels(), plain);
}

TEST_F(FlowCommandTest, PairCheckLooksWithoutTouchingAnything) {
  flow.StartGame(Difficulty::Easy);
  Lay(kCross);
  EXPECT_FALSE(flow.PairLeft());
  Lay({"bc..........", "cb..........", "..........aa"});
  screen.log.clear();
  const auto pixels = Pixels();
  const auto cells = Field();
  const int reseeds = random.reseeds;
  EXPECT_TRUE(flow.PairLeft());
  EXPECT_TRUE(screen.log.empty());
  EXPECT_EQ(Pixels(), pixels);
  EXPECT_EQ(Field(), cells);
  EXPECT_EQ(random.reseeds, reseeds);
  EXPECT_EQ(State().Remaining, 6);
}

TEST_F(FlowCommandTest, SearchCommandsBeforeTheFirstGame) {
  const auto black = Pixels();
  flow.HintCommand();
  flow.RemovePairCommand();
  flow.ShuffleCommand();
  EXPECT_EQ(screen.log,
            (std::vector<std::string>{"message:没有可提示的方块", "message:没有可提示的方块"}));
  EXPECT_FALSE(flow.PairLeft());
  EXPECT_EQ(State().Remaining, 0);
  EXPECT_EQ(Pixels(), black);
  ExpectSound();
}

TEST_F(FlowCommandTest, PauseAndResumeBeforeTheFirstGameRunsTheHiddenBarDown) {
  flow.PauseCommand();
  EXPECT_TRUE(flow.Paused());
  EXPECT_TRUE(screen.paused);
  EXPECT_FALSE(screen.timerRunning);
  flow.PauseCommand();
  EXPECT_FALSE(flow.Paused());
  EXPECT_FALSE(screen.paused);
  ASSERT_TRUE(screen.timerRunning);

  TickTo(1);
  EXPECT_EQ(screen.Boxes(), 0);
  flow.Tick();
  EXPECT_EQ(flow.GaugeValue(), 0);
  EXPECT_FALSE(screen.timerRunning);
  EXPECT_FALSE(screen.boardEnabled);
  // No difficulty, so no record check.
  EXPECT_EQ(screen.log.back(), "message:时间到了！");
  EXPECT_EQ(screen.Count("gauge-visible:on"), 0);
  ExpectSound();
}

TEST_F(FlowCommandTest, PauseStopsTheBarAndTheBoard) {
  flow.StartGame(Difficulty::Easy);
  Lay({"aa..........", "bb.........."});
  TickTo(90);
  PressCell(1, 1);
  screen.log.clear();
  flow.PauseCommand();
  EXPECT_EQ(screen.log, (std::vector<std::string>{"paused:on", "timer:off"}));

  const auto pixels = Pixels();
  PressCell(2, 1);
  PressCell(1, 2);
  EXPECT_EQ(flow.CurrentPick().Count, 1);
  EXPECT_EQ(State().Remaining, 4);
  EXPECT_EQ(Pixels(), pixels);
  flow.Tick();  // a tick already on its way when the timer stopped
  EXPECT_EQ(flow.GaugeValue(), 90);

  flow.PauseCommand();
  EXPECT_EQ(screen.log.back(), "timer:on");
  EXPECT_FALSE(screen.paused);
  flow.Tick();
  EXPECT_EQ(flow.GaugeValue(), 89);
  PressCell(2, 1);  // the pick made before the pause completes
  EXPECT_EQ(State().Remaining, 2);
  // The bar and both labels stayed on show throughout.
  EXPECT_EQ(screen.Count("gauge-visible:off"), 0);
  EXPECT_EQ(screen.Count("score-visible:off"), 0);
  ExpectSound();
}

TEST_F(FlowCommandTest, ANewGameWhilePausedStaysCovered) {
  flow.PauseCommand();
  screen.log.clear();
  flow.NewGameCommand(Difficulty::Easy);
  EXPECT_TRUE(flow.Paused());
  EXPECT_TRUE(screen.paused);
  EXPECT_EQ(screen.Count("paused:off"), 0);
  EXPECT_TRUE(screen.timerRunning);
  EXPECT_TRUE(screen.gaugeVisible);
  EXPECT_TRUE(screen.scoreVisible);
  EXPECT_EQ(screen.levelText, "第1关：不变化");
  EXPECT_EQ(TilesOnField(), 84);

  PressCell(1, 1);
  EXPECT_EQ(flow.CurrentPick().Count, 0);
  flow.Tick();
  EXPECT_EQ(flow.GaugeValue(), 99);  // the covered game runs

  flow.PauseCommand();
  EXPECT_FALSE(screen.paused);
  EXPECT_TRUE(screen.timerRunning);
  PressCell(1, 1);
  EXPECT_EQ(flow.CurrentPick().Count, 1);
  ExpectSound();
}

TEST_F(FlowCommandTest, PlainCommands) {
  struct Case {
    void (PlayFlow::*command)();
    std::vector<std::string> log;
  };
  const Case cases[] = {
      {&PlayFlow::HelpCommand,
       {"message:"
        "将2个相同图片连接，连接线不超过3根直线，就可以成功消除这2个图片，全部图片消除后，完成。"}},
      {&PlayFlow::LeaderboardCommand, {"leaderboard"}},
      {&PlayFlow::AboutCommand, {"about"}},
      {&PlayFlow::QuitCommand, {"close"}},
  };
  flow.StartGame(Difficulty::Easy);
  PressCell(1, 1);
  for (const Case& c : cases) {
    SCOPED_TRACE(c.log.front());
    screen.log.clear();
    const auto pixels = Pixels();
    (flow.*c.command)();
    EXPECT_EQ(screen.log, c.log);
    EXPECT_EQ(Pixels(), pixels);
    EXPECT_EQ(flow.CurrentPick().Count, 1);
    EXPECT_TRUE(screen.timerRunning);
  }
}

}  // namespace
}  // namespace quenlow::testing
