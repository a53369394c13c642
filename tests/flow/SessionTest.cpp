// Long random sessions: presses, menu commands and ticks in random order, boxes answered
// at random with ticks (and stray presses) inside them, and a score file that now and
// then refuses writes. What must hold between events is checked after every one.

#include <cstdio>

#include "tests/flow/FlowFixture.h"

namespace quenlow::testing {
namespace {

class FlowSessionTest : public FlowTest, public ::testing::WithParamInterface<int> {
 protected:
  int Roll(int below) { return std::uniform_int_distribution<int>(0, below - 1)(dice_); }
  bool Chance(int percent) { return Roll(100) < percent; }

  void PressAnywhere() {
    flow.BoardPress(Roll(BoardPicture::kWidth + 40) - 20, Roll(BoardPicture::kHeight + 40) - 20);
  }
  void PressSomeCell() {
    const Board& s = game.Board();
    if (s.Cols == 0) return PressAnywhere();
    PressCell(1 + Roll(s.Cols), 1 + Roll(s.Rows));
  }
  // The pixels right on and next to the field's edges.
  void PressAnEdge() {
    const BoardLayout s = Layout();
    const int right = s.OriginX + game.Board().Cols * s.CellW;
    const int bottom = s.OriginY + game.Board().Rows * s.CellH;
    const int xs[] = {s.OriginX - 1, s.OriginX, s.OriginX + 1, right - 1, right, right + 1};
    const int ys[] = {s.OriginY - 1, s.OriginY, s.OriginY + 1, bottom - 1, bottom, bottom + 1};
    flow.BoardPress(xs[Roll(6)], ys[Roll(6)]);
  }

  void Tick() {
    // A stopped timer sends no ticks.
    if (screen.timerRunning) flow.Tick();
  }

  void ToggleWriteProtection() {
    if (!std::filesystem::exists(scorePath)) return;
    readOnly_ = !readOnly_;
    if (readOnly_) {
      MakeReadOnly(scorePath);
    } else {
      std::filesystem::permissions(scorePath, std::filesystem::perms::owner_write,
                                   std::filesystem::perm_options::add);
    }
  }

  void AnswerBoxesAtRandom() {
    screen.insideBox = [this] {
      if (screen.boxDepth > 2) return;
      if (Chance(30)) {
        for (int n = Roll(120); n > 0; --n) Tick();
      }
      if (Chance(10)) PressSomeCell();
      if (screen.answers.empty()) screen.answers.push_back(Chance(50));
      if (screen.names.empty() && Chance(70))
        screen.names.push_back(Chance(50) ? "\xcd\xe6\xbc\xd2" : "x");
    };
  }

  void PressAPair() {
    const auto pair = game.FindFirstPair();
    if (!pair || !flow.BoardEnabled() || flow.Paused()) return PressSomeCell();
    PressCell(pair->Cells.X1, pair->Cells.Y1);
    ExpectSound("first of a pair");
    PressCell(pair->Cells.X2, pair->Cells.Y2);
  }

  struct Event {
    int weight;
    const char* name;
    std::function<void()> run;
  };

  // The mix keeps games long enough to clear stages and short enough to run out of time.
  std::vector<Event> Events(int difficulty) {
    return {
        {300, "tick", [this] { Tick(); }},
        {35, "a run of ticks",
         [this] {
           for (int n = Roll(10); n > 0; --n) Tick();
         }},
        {80, "press anywhere", [this] { PressAnywhere(); }},
        {150, "press a cell", [this] { PressSomeCell(); }},
        {20, "press an edge", [this] { PressAnEdge(); }},
        {280, "press a pair", [this] { PressAPair(); }},
        {60, "remove one pair", [this] { flow.RemovePairCommand(); }},
        {20, "hint", [this] { flow.HintCommand(); }},
        {15, "shuffle", [this] { flow.ShuffleCommand(); }},
        {8, "pause", [this] { flow.PauseCommand(); }},
        {1, "new game", [this, difficulty] { flow.StartGame(static_cast<Difficulty>(difficulty)); }},
        {1, "new game, any difficulty", [this] { flow.StartGame(static_cast<Difficulty>(1 + Roll(3))); }},
        {5, "help", [this] { flow.HelpCommand(); }},
        {5, "leaderboard", [this] { flow.LeaderboardCommand(); }},
        {5, "reset", [this] { flow.ResetRecordsCommand(); }},
        {3, "about", [this] { flow.AboutCommand(); }},
        {3, "quit", [this] { flow.QuitCommand(); }},
        {5, "write protection", [this] { ToggleWriteProtection(); }},
    };
  }

  const Event& Pick(const std::vector<Event>& events) {
    int total = 0;
    for (const Event& e : events) total += e.weight;
    int roll = Roll(total);
    for (const Event& e : events) {
      if (roll < e.weight) return e;
      roll -= e.weight;
    }
    return events.front();
  }

  std::mt19937 dice_{7919u};
  bool readOnly_ = false;
};

TEST_P(FlowSessionTest, EveryEventLeavesTheGameSound) {
  const int difficulty = GetParam();
  dice_.seed(static_cast<unsigned>(7919 * difficulty));
  random.engine.seed(static_cast<unsigned>(104729 * difficulty));
  AnswerBoxesAtRandom();

  int stageClears = 0;
  int timeUps = 0;
  flow.StartGame(static_cast<Difficulty>(difficulty));
  const std::vector<Event> events = Events(difficulty);
  const Event resume{0, "resume", [this] { flow.PauseCommand(); }};
  for (int n = 0; n < 4000 && !HasFailure(); ++n) {
    // Pauses are let go again soon, so that most of the session is played.
    const Event& event = flow.Paused() && Chance(5) ? resume : Pick(events);
    const std::size_t logged = screen.log.size();
    event.run();
    ExpectSound("event " + std::to_string(n) + ": " + event.name);
    for (std::size_t i = logged; i < screen.log.size(); ++i) {
      timeUps += screen.log[i] == "message:时间到了！" ? 1 : 0;
      stageClears +=
          screen.log[i] == "message:恭喜你，过关了！" || screen.log[i] == "message:你太厉害了！"
              ? 1
              : 0;
    }
    // What the screen shows follows the flow.
    ASSERT_EQ(screen.timerRunning, flow.TimerRunning());
    ASSERT_EQ(screen.paused, flow.Paused());
    ASSERT_EQ(screen.boardEnabled, flow.BoardEnabled());
    ASSERT_EQ(screen.scoreText, std::to_string(State().Score));
    ASSERT_EQ(screen.levelText, LevelText(State().Stage));
  }
  std::printf("%d stage clears, %d time-ups\n", stageClears, timeUps);
  // The session reached the places worth reaching.
  EXPECT_GT(stageClears, 0);
  EXPECT_GT(timeUps, 0);
}

std::string DifficultyName(const ::testing::TestParamInfo<int>& info) {
  static const char* const kNames[] = {"", "Easy", "Normal", "Hard"};
  return kNames[info.param];
}

INSTANTIATE_TEST_SUITE_P(EachDifficulty, FlowSessionTest, ::testing::Values(1, 2, 3),
                         DifficultyName);

}  // namespace
}  // namespace quenlow::testing
