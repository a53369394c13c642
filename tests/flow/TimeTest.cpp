// The time bar: ticks and their colours, time-up with the record check and the name
// entry, saving the record, and ticks that run inside modal boxes.

#include "tests/flow/FlowFixture.h"

namespace quenlow::testing {
namespace {

using FlowTimeTest = FlowTest;

const char* const kTimeUp = "message:时间到了！";
// The name the player types, and how the score file keeps it (code page 936).
const std::string kPlayer = "玩家";
const std::string kPlayerInFile = "name=\xcd\xe6\xbc\xd2\r\n";

// Runs ticks for as long as the timer runs (a tick can end the game inside the box).
void TickUntilStopped(PlayFlow& flow, const FakeScreen& screen) {
  for (int guard = 0; screen.timerRunning && guard < 200; ++guard) flow.Tick();
}

TEST_F(FlowTimeTest, TickColours) {
  struct Case {
    int from, to;
    GaugeColor colour;
  };
  const Case cases[] = {
      {100, 99, GaugeColor::Green}, {51, 50, GaugeColor::Green}, {50, 49, GaugeColor::Yellow},
      {12, 11, GaugeColor::Yellow}, {11, 10, GaugeColor::Red},   {2, 1, GaugeColor::Red},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.from);
    flow.StartGame(Difficulty::Easy);
    TickTo(c.from);
    flow.Tick();
    EXPECT_EQ(flow.GaugeValue(), c.to);
    EXPECT_EQ(screen.gauge, c.to);
    EXPECT_EQ(flow.GaugeColour(), c.colour);
    EXPECT_EQ(screen.gaugeColour, c.colour);
    EXPECT_EQ(screen.Boxes(), 0);
  }
}

TEST_F(FlowTimeTest, TheLastTickEndsTheGame) {
  flow.StartGame(Difficulty::Easy);
  PressCell(1, 1);
  TickTo(1);
  screen.log.clear();
  flow.Tick();
  EXPECT_EQ(screen.log, (std::vector<std::string>{"timer:off", "board:off", kTimeUp}));
  EXPECT_EQ(flow.GaugeColour(), GaugeColor::Red);
  EXPECT_FALSE(flow.BoardEnabled());

  // The last board stays, and presses on it are ignored.
  const auto pixels = Pixels();
  PressCell(2, 1);
  PressCell(5, 5);
  EXPECT_EQ(Pixels(), pixels);
  EXPECT_EQ(flow.CurrentPick().Count, 1);
  EXPECT_TRUE(screen.scoreVisible);

  // A new game: full bar, still red until its first tick; the board takes presses again.
  flow.NewGameCommand(Difficulty::Normal);
  EXPECT_EQ(flow.GaugeValue(), 100);
  EXPECT_EQ(screen.gaugeColour, GaugeColor::Red);
  EXPECT_TRUE(screen.boardEnabled);
  EXPECT_EQ(flow.CurrentPick().Count, 0);
  flow.Tick();
  EXPECT_EQ(screen.gaugeColour, GaugeColor::Green);
  PressCell(1, 1);
  EXPECT_EQ(flow.CurrentPick().Count, 1);
  ExpectSound();
}

TEST_F(FlowTimeTest, ResumingAfterTimeUpEndsTheGameAgainWithoutANewRecord) {
  flow.StartGame(Difficulty::Easy);
  game.SetScore(150);
  screen.names = {kPlayer};
  TickTo(0);
  ASSERT_EQ(records.BestScore[1], 150);
  flow.PauseCommand();
  flow.PauseCommand();
  screen.log.clear();
  flow.Tick();  // from 0 it stays at 0, which is time-up once more
  EXPECT_EQ(screen.log, (std::vector<std::string>{"timer:off", "board:off", kTimeUp}));
  EXPECT_EQ(flow.GaugeValue(), 0);
}

TEST_F(FlowTimeTest, RecordCheckAtTimeUp) {
  struct Case {
    const char* name;
    int bestScore;
    std::string bestName;
    int score;
    bool asks;
    std::deque<std::string> answer;  // empty: the box is cancelled
    std::string newName;
    int newScore;
  };
  const Case cases[] = {
      {"equal to the record", 100, "old", 100, false, {}, "old", 100},
      {"one pair above", 100, "old", 150, true, {kPlayer}, kPlayer, 150},
      {"nought against nought", 0, "", 0, false, {}, "", 0},
      {"below the record", 100, "old", 50, false, {}, "old", 100},
      {"cancelled name", 0, "old", 50, true, {}, "", 50},
      {"negative record", -50, "old", 0, true, {kPlayer}, kPlayer, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::filesystem::remove(scorePath);
    records.BestScore[1] = c.bestScore;
    records.BestName[1] = c.bestName;
    flow.StartGame(Difficulty::Easy);
    game.SetScore(c.score);
    screen.names = c.answer;
    screen.log.clear();
    TickTo(0);

    EXPECT_EQ(screen.Count("name:破纪录|已破简单级纪录,请留尊姓大名"), c.asks ? 1 : 0);
    EXPECT_EQ(screen.Count("leaderboard"), c.asks ? 1 : 0);
    EXPECT_EQ(records.BestScore[1], c.newScore);
    EXPECT_EQ(records.BestName[1], c.newName);
    EXPECT_EQ(std::filesystem::exists(scorePath), c.asks);
    if (c.asks) {
      Records file(scorePath);
      file.LoadRecords();
      EXPECT_EQ(file.BestScore[1], c.newScore);
      EXPECT_EQ(file.BestName[1], c.newName);
      EXPECT_EQ(ReadFile(scorePath).find(kPlayerInFile) != std::string::npos,
                c.newName == kPlayer);
    }
  }
}

TEST_F(FlowTimeTest, EachDifficultySavesAndShowsInItsOwnOrder) {
  struct Case {
    int difficulty;
    const char* prompt;
    bool savedBeforeLeaderboard;
  };
  const Case cases[] = {
      {1, "已破简单级纪录,请留尊姓大名", true},
      {2, "已破普通级纪录,请留尊姓大名", false},
      {3, "已破困难级纪录,请留尊姓大名", false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.difficulty);
    std::filesystem::remove(scorePath);
    records.BestScore = {0, 10, 20, 30};
    flow.StartGame(static_cast<Difficulty>(c.difficulty));
    const int score = 1000 + 50 * c.difficulty;
    game.SetScore(score);
    screen.names = {kPlayer};
    bool shown = false;
    screen.onLeaderboard = [&] {
      shown = true;
      // The leaderboard always shows the new record from memory.
      EXPECT_EQ(records.BestScore[c.difficulty], score);
      EXPECT_EQ(records.BestName[c.difficulty], kPlayer);
      Records file(scorePath);
      file.LoadRecords();
      EXPECT_EQ(file.BestScore[c.difficulty], c.savedBeforeLeaderboard ? score : 0);
    };
    TickTo(0);
    screen.onLeaderboard = nullptr;
    ASSERT_TRUE(shown);
    EXPECT_EQ(screen.Count(std::string("name:破纪录|") + c.prompt), 1);

    Records file(scorePath);
    file.LoadRecords();
    for (int d = 1; d <= 3; ++d) {
      EXPECT_EQ(file.BestScore[d], d == c.difficulty ? score : 0) << "difficulty " << d;
      EXPECT_EQ(file.BestName[d], d == c.difficulty ? kPlayer : "") << "difficulty " << d;
    }
  }
}

TEST_F(FlowTimeTest, ARefusedSaveIsReportedAndTheGameGoesOn) {
  const std::string content = "[easy]\r\nname=old\r\nscore=10\r\n";
  for (const int d : {1, 2, 3}) {
    SCOPED_TRACE(d);
    std::error_code missingAtFirst;
    std::filesystem::permissions(scorePath, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, missingAtFirst);
    std::ofstream(scorePath, std::ios::binary) << content;
    MakeReadOnly(scorePath);
    records.LoadRecords();
    ASSERT_EQ(records.BestScore[1], 10);
    flow.StartGame(static_cast<Difficulty>(d));
    game.SetScore(500);
    screen.names = {kPlayer};
    screen.log.clear();
    TickTo(0);

    const std::string error = "error:Unable to write to " + scorePath + ".";
    ASSERT_EQ(screen.Count(error), 1);
    EXPECT_EQ(screen.log.back(), error);
    EXPECT_EQ(screen.Count("leaderboard"), d == 1 ? 0 : 1);
    EXPECT_EQ(ReadFile(scorePath), content);
    // The record lives on in memory for the rest of the run.
    EXPECT_EQ(records.BestScore[d], 500);
    EXPECT_EQ(records.BestName[d], kPlayer);
    ExpectSound();

    // The same score is no record any more; the next game starts as always.
    flow.PauseCommand();
    flow.PauseCommand();
    screen.log.clear();
    flow.Tick();
    EXPECT_EQ(screen.log, (std::vector<std::string>{"timer:off", "board:off", kTimeUp}));
    flow.NewGameCommand(Difficulty::Easy);
    EXPECT_TRUE(screen.boardEnabled);
    EXPECT_TRUE(screen.timerRunning);
    ExpectSound();
  }
}

TEST_F(FlowTimeTest, ResetReportsWhetherItWentThrough) {
  records.BestScore = {0, 10, 20, 30};
  records.BestName = {"", "a", "b", "c"};
  std::ofstream(scorePath, std::ios::binary) << "[easy]\r\nname=a\r\nscore=10\r\n";
  MakeReadOnly(scorePath);
  EXPECT_FALSE(flow.ResetRecordsCommand());
  EXPECT_EQ(screen.log.back(), "error:Unable to write to " + scorePath + ".");
  EXPECT_EQ(records.BestScore[2], 20);
  EXPECT_EQ(records.BestName[3], "c");

  std::filesystem::permissions(scorePath, std::filesystem::perms::owner_write,
                               std::filesystem::perm_options::add);
  screen.log.clear();
  EXPECT_TRUE(flow.ResetRecordsCommand());
  EXPECT_TRUE(screen.log.empty());
  for (int d = 1; d <= 3; ++d) {
    EXPECT_EQ(records.BestScore[d], 0);
    EXPECT_EQ(records.BestName[d], "");
  }
}

TEST_F(FlowTimeTest, TimeUpInsideTheStageClearMessage) {
  flow.StartGame(Difficulty::Easy);
  Lay({"aa.........."});
  screen.names = {kPlayer};
  screen.insideBox = [&] {
    if (screen.boxDepth == 1 && screen.log.back() == "message:恭喜你，过关了！") {
      TickUntilStopped(flow, screen);
    }
  };
  PressCell(1, 1);
  PressCell(2, 1);

  const int clear = screen.IndexOf("message:恭喜你，过关了！");
  ASSERT_GE(clear, 0);
  EXPECT_EQ(screen.IndexOf(kTimeUp), clear + 3);  // after timer:off, board:off
  EXPECT_EQ(screen.Count("name:破纪录|已破简单级纪录,请留尊姓大名"), 1);
  EXPECT_EQ(records.BestScore[1], 50);
  // The stage clear then went on: the next stage is dealt behind the finished game.
  EXPECT_EQ(State().Stage, 2);
  EXPECT_EQ(State().Remaining, 84);
  EXPECT_EQ(screen.levelText, "第2关：从上到下");
  EXPECT_EQ(flow.GaugeValue(), 0);
  EXPECT_FALSE(screen.timerRunning);
  EXPECT_FALSE(screen.boardEnabled);
  PressCell(1, 1);
  EXPECT_EQ(flow.CurrentPick().Count, 0);
  ExpectSound();
}

TEST_F(FlowTimeTest, TimeUpInsideTheShuffleQuestion) {
  flow.StartGame(Difficulty::Easy);
  Lay({"bc..........", "cb..........", "............", "....dd......"});
  TickTo(1);
  screen.answers = {true};
  screen.insideBox = [&] {
    if (screen.boxDepth == 1) TickUntilStopped(flow, screen);
  };
  const int reseeds = random.reseeds;
  PressCell(5, 4);
  PressCell(6, 4);

  const int question = screen.IndexOf("question:没有可提示的方块，是否洗牌？");
  ASSERT_GE(question, 0);
  EXPECT_GT(screen.IndexOf(kTimeUp), question);
  EXPECT_EQ(records.BestScore[1], 50);
  // Yes was answered after time was up, and the shuffles still ran.
  EXPECT_EQ(random.reseeds - reseeds, 3);
  EXPECT_EQ(State().Remaining, 4);
  EXPECT_EQ(flow.CurrentPick().Count, 0);
  EXPECT_FALSE(screen.boardEnabled);
  EXPECT_FALSE(screen.timerRunning);
  ExpectSound();
}

TEST_F(FlowTimeTest, TimeUpInsideTheHelpMessage) {
  flow.StartGame(Difficulty::Hard);
  game.SetScore(200);
  screen.names = {kPlayer};
  screen.insideBox = [&] {
    if (screen.boxDepth == 1) TickUntilStopped(flow, screen);
  };
  flow.HelpCommand();
  EXPECT_EQ(screen.Count(kTimeUp), 1);
  EXPECT_EQ(screen.Count("name:破纪录|已破困难级纪录,请留尊姓大名"), 1);
  EXPECT_EQ(records.BestScore[3], 200);
  EXPECT_FALSE(screen.boardEnabled);
  ExpectSound();
}

}  // namespace
}  // namespace quenlow::testing
