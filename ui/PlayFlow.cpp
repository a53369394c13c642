#include "ui/PlayFlow.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <utility>

namespace quenlow {
namespace {

constexpr int kGaugeFull = 100;
constexpr int kAutoRemovalMs = 200;
constexpr int kShufflesOnDeadlock = 3;

const char* const kNoPairText = "没有可提示的方块";
const char* const kShuffleQuestion = "没有可提示的方块，是否洗牌？";
const char* const kAllStagesText = "你太厉害了！";
const char* const kStageClearText = "恭喜你，过关了！";
const char* const kTimeUpText = "时间到了！";
const char* const kRecordTitle = "破纪录";
const char* const kRecordPrompts[4] = {
    "",
    "已破简单级纪录,请留尊姓大名",
    "已破普通级纪录,请留尊姓大名",
    "已破困难级纪录,请留尊姓大名",
};
const char* const kHelpText =
    "将2个相同图片连接，连接线不超过3根直线，就可以成功消除这2个图片，全部图片消除后，完成。";

// Runs the given action when the scope ends, however it ends.
template <typename F>
class OnExit {
 public:
  explicit OnExit(F action) : action_(std::move(action)) {}
  ~OnExit() { action_(); }
  OnExit(const OnExit&) = delete;
  OnExit& operator=(const OnExit&) = delete;

 private:
  F action_;
};

// A score that has run for an absurdly long time sticks at the top instead of wrapping
// round to a negative number.
std::int32_t AddPoints(std::int32_t score, std::int32_t points) {
  const std::int64_t sum = static_cast<std::int64_t>(score) + points;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      sum, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

GaugeColor ColourFor(int value) {
  if (value >= 50) return GaugeColor::Green;
  if (value > 10) return GaugeColor::Yellow;
  return GaugeColor::Red;
}

}  // namespace

// ---- events -------------------------------------------------------------------------

void PlayFlow::ImageMouseDown(int x, int y) {
  Guarded([&] {
    // A press that comes in while a pair is being taken away (from inside one of its
    // boxes) must not become part of the pick; the pause picture and a finished game
    // take presses too.
    if (busy_ > 0 || paused_ || !boardEnabled_) return;

    TGameState& s = game_.State();
    const std::int64_t right =
        static_cast<std::int64_t>(s.OriginX) + std::int64_t{s.Cols} * s.CellW;
    const std::int64_t bottom =
        static_cast<std::int64_t>(s.OriginY) + std::int64_t{s.Rows} * s.CellH;
    if (!(s.OriginX < x && x < right && s.OriginY < y && y < bottom)) return;

    int cellX = x;
    int cellY = y;
    PixelToCell(s, cellX, cellY);
    const bool onTile = game_.At(cellX, cellY) != 0;

    // Whatever happens below, a completed second press leaves nothing picked.
    OnExit endPick([&s] {
      if (s.ClickCount >= 2) s.ClickCount = 0;
    });

    if (onTile) ++s.ClickCount;
    if (s.ClickCount == 1 && onTile) {
      drawing_.MarkCell(cellX, cellY, 1);
      s.SelX = cellX;
      s.SelY = cellY;
    }
    if (s.ClickCount == 2 && onTile) {
      if (game_.FindLink(cellX, cellY, s.SelX, s.SelY)) {
        RemovalSequence(cellX, cellY);
      } else {
        drawing_.MarkCell(s.SelX, s.SelY, 1);
      }
    }
  });
}

void PlayFlow::Timer1Timer() {
  Guarded([&] {
    // A tick that was already on its way when the timer was switched off is dropped.
    if (!timerRunning_) return;
    const int value = std::clamp(gauge_ - 1, 0, kGaugeFull);
    gaugeColor_ = ColourFor(value);
    SetGauge(value);
    if (value == 0) TimeUp();
  });
}

// ---- menu commands --------------------------------------------------------------------

void PlayFlow::NSequenceClick() {
  Guarded([&] { screen_.ShowLeaderboard(); });
}

void PlayFlow::NEliminateClick() {
  Guarded([&] { SearchPair(1); });
}

void PlayFlow::NHintClick() {
  Guarded([&] { SearchPair(3); });
}

void PlayFlow::NShuffleClick() {
  Guarded([&] { ShuffleTiles(); });
}

void PlayFlow::NPauseClick() {
  Guarded([&] {
    paused_ = !paused_;
    screen_.SetPaused(paused_);
    SetTimer(!paused_);
  });
}

void PlayFlow::NHelpClick() {
  Guarded([&] { screen_.ShowMessage(kHelpText); });
}

void PlayFlow::NAboutClick() {
  Guarded([&] { screen_.ShowAbout(); });
}

void PlayFlow::NQuitClick() {
  Guarded([&] { screen_.CloseWindow(); });
}

bool PlayFlow::ResetClick() {
  return Guarded([&] { records_.ResetRecords(); });
}

// ---- steps ----------------------------------------------------------------------------

void PlayFlow::StartGame(TDifficulty difficulty) {
  TGameState& s = game_.State();
  game_.ApplyPreset(difficulty);
  screen_.SetLevelText(LevelText(s.Stage));
  s.ClickCount = 0;
  SetBoardEnabled(true);
  SetTimer(true);
  screen_.SetGaugeVisible(true);
  screen_.SetScoreVisible(true);
  screen_.SetScoreText(ScoreText(s.Score));
  SetGauge(kGaugeFull);
  game_.DealTiles();
  drawing_.DrawBoard();
}

void PlayFlow::SearchPair(int mode) {
  TGameState& s = game_.State();
  switch (mode) {
    case 1:
      RemoveOnePair();
      break;
    case 2:
      s.PairExists = game_.FindFirstPair().has_value();
      break;
    case 3:
      if (const auto pair = game_.FindFirstPair()) {
        drawing_.MarkCell(pair->X1, pair->Y1, 2);
        drawing_.MarkCell(pair->X2, pair->Y2, 2);
      } else {
        screen_.ShowMessage(kNoPairText);
      }
      break;
    default:
      break;
  }
}

void PlayFlow::ShuffleTiles() {
  game_.ShuffleBoard();
  drawing_.DrawBoard();
}

// ---- private --------------------------------------------------------------------------

void PlayFlow::SetGauge(int value) {
  gauge_ = std::clamp(value, 0, kGaugeFull);
  screen_.SetGauge(gauge_, gaugeColor_);
}

void PlayFlow::SetTimer(bool running) {
  timerRunning_ = running;
  screen_.SetTimerRunning(running);
}

void PlayFlow::SetBoardEnabled(bool enabled) {
  boardEnabled_ = enabled;
  screen_.SetBoardEnabled(enabled);
}

void PlayFlow::RemovalSequence(int x, int y) {
  ++busy_;
  OnExit notBusy([this] { --busy_; });
  TGameState& s = game_.State();

  drawing_.MarkCell(x, y, 1);
  drawing_.DrawLink(x, y, s.SelX, s.SelY);
  game_.SetCell(x, y, 0);
  game_.SetCell(s.SelX, s.SelY, 0);
  screen_.RepaintBoard();
  screen_.Wait(s.PauseMs);
  SetGauge(gauge_ + std::clamp(s.TimeBonus, 0, kGaugeFull));
  s.Score = AddPoints(s.Score, s.PairPoints);
  screen_.SetScoreText(ScoreText(s.Score));
  game_.ShiftTiles();
  drawing_.DrawBoard();
  s.Remaining -= 2;
  SearchPair(2);
  if (!s.PairExists && s.Remaining != 0) {
    if (screen_.AskQuestion(kShuffleQuestion)) {
      for (int i = 0; i < kShufflesOnDeadlock; ++i) ShuffleTiles();
    }
  }
  if (s.Remaining == 0) StageClear();
}

// The automatic removal of one pair: the player's road with the hint mark, a shorter
// wait, no points and no look for a pair afterwards.
void PlayFlow::RemoveOnePair() {
  TGameState& s = game_.State();
  const auto pair = game_.FindFirstPair();
  if (!pair) {
    screen_.ShowMessage(kNoPairText);
    for (int i = 0; i < kShufflesOnDeadlock; ++i) ShuffleTiles();
    return;
  }
  ++busy_;
  OnExit notBusy([this] { --busy_; });

  drawing_.MarkCell(pair->X1, pair->Y1, 2);
  drawing_.MarkCell(pair->X2, pair->Y2, 2);
  game_.SetCell(pair->X1, pair->Y1, 0);
  game_.SetCell(pair->X2, pair->Y2, 0);
  drawing_.DrawLink(pair->X1, pair->Y1, pair->X2, pair->Y2);
  screen_.RepaintBoard();
  screen_.Wait(kAutoRemovalMs);
  s.Remaining -= 2;
  SetGauge(gauge_ + 1);
  game_.ShiftTiles();
  drawing_.DrawBoard();
  if (s.Remaining == 0) StageClear();
}

void PlayFlow::StageClear() {
  TGameState& s = game_.State();
  SetGauge(kGaugeFull);
  if (s.Stage == 9) {
    s.Stage = 1;
    screen_.ShowMessage(kAllStagesText);
  } else {
    ++s.Stage;
    screen_.ShowMessage(kStageClearText);
  }
  s.Remaining = s.Cols * s.Rows;
  screen_.SetLevelText(LevelText(s.Stage));
  game_.DealTiles();
  drawing_.DrawBoard();
}

void PlayFlow::TimeUp() {
  TGameState& s = game_.State();
  SetTimer(false);
  SetBoardEnabled(false);
  screen_.ShowMessage(kTimeUpText);

  const TDifficulty d = s.Difficulty;
  if (d < 1 || d > 3 || s.Score <= records_.BestScore[d]) return;
  records_.BestName[d] = screen_.AskName(kRecordTitle, kRecordPrompts[d]);
  records_.BestScore[d] = s.Score;
  // Easy writes the file before the leaderboard comes up; the other two the other way
  // round. A refused write ends the handler here, so for easy the leaderboard stays shut.
  if (d == 1) {
    records_.SaveRecord(d);
    screen_.ShowLeaderboard();
  } else {
    screen_.ShowLeaderboard();
    records_.SaveRecord(d);
  }
}

}  // namespace quenlow
