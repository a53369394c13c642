#include "ui/PlayFlow.h"

#include <algorithm>
#include <utility>

namespace quenlow {
namespace {

constexpr int kGaugeFull = 100;
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

GaugeColor ColourFor(int value) {
  if (value >= 50) return GaugeColor::Green;
  if (value > 10) return GaugeColor::Yellow;
  return GaugeColor::Red;
}

}  // namespace

// ---- events -------------------------------------------------------------------------

void PlayFlow::BoardPress(int x, int y) {
  Guarded([&] {
    // A press that comes in while a pair is being taken away (from inside one of its
    // boxes) must not become part of the pick; the pause picture and a finished game
    // take presses too.
    if (busy_ > 0 || paused_ || !boardEnabled_) return;

    const BoardLayout layout = drawing_.Layout();
    const int right = layout.OriginX + game_.Board().Cols * layout.CellW;
    const int bottom = layout.OriginY + game_.Board().Rows * layout.CellH;
    if (!(layout.OriginX < x && x < right && layout.OriginY < y && y < bottom)) return;

    int cellX = x;
    int cellY = y;
    PixelToCell(layout, cellX, cellY);
    const bool onTile = game_.At(cellX, cellY) != 0;

    // Whatever happens below, a completed second press leaves nothing picked.
    OnExit endPick([this] {
      if (pick_.Count >= 2) pick_.Count = 0;
    });

    if (onTile) ++pick_.Count;
    if (pick_.Count == 1 && onTile) {
      drawing_.MarkCell(cellX, cellY, Mark::Pick);
      pick_.X = cellX;
      pick_.Y = cellY;
    }
    if (pick_.Count == 2 && onTile) {
      if (const auto link = game_.FindLink(cellX, cellY, pick_.X, pick_.Y)) {
        RemovalSequence({{cellX, cellY, pick_.X, pick_.Y}, *link}, kByPlayer);
      } else {
        drawing_.MarkCell(pick_.X, pick_.Y, Mark::Pick);
      }
    }
  });
}

void PlayFlow::Tick() {
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

void PlayFlow::LeaderboardCommand() {
  Guarded([&] { screen_.ShowLeaderboard(); });
}

void PlayFlow::RemovePairCommand() {
  Guarded([&] { RemoveOnePair(); });
}

void PlayFlow::HintCommand() {
  Guarded([&] { ShowHint(); });
}

void PlayFlow::ShuffleCommand() {
  Guarded([&] { ShuffleTiles(); });
}

void PlayFlow::PauseCommand() {
  Guarded([&] {
    paused_ = !paused_;
    screen_.SetPaused(paused_);
    SetTimer(!paused_);
  });
}

void PlayFlow::HelpCommand() {
  Guarded([&] { screen_.ShowMessage(kHelpText); });
}

void PlayFlow::AboutCommand() {
  Guarded([&] { screen_.ShowAbout(); });
}

void PlayFlow::QuitCommand() {
  Guarded([&] { screen_.CloseWindow(); });
}

bool PlayFlow::ResetRecordsCommand() {
  return Guarded([&] { records_.ResetRecords(); });
}

// ---- steps ----------------------------------------------------------------------------

void PlayFlow::StartGame(Difficulty difficulty) {
  game_.ApplyPreset(difficulty);
  screen_.SetLevelText(LevelText(game_.State().Stage));
  pick_.Count = 0;
  SetBoardEnabled(true);
  SetTimer(true);
  screen_.SetGaugeVisible(true);
  screen_.SetScoreVisible(true);
  screen_.SetScoreText(ScoreText(game_.State().Score));
  SetGauge(kGaugeFull);
  game_.DealTiles();
  drawing_.DrawBoard();
}

void PlayFlow::RemoveOnePair() {
  if (const auto pair = game_.FindFirstPair()) {
    RemovalSequence(*pair, kAutomatic);
    return;
  }
  screen_.ShowMessage(kNoPairText);
  for (int i = 0; i < kShufflesOnDeadlock; ++i) ShuffleTiles();
}

bool PlayFlow::PairLeft() const {
  return game_.FindFirstPair().has_value();
}

void PlayFlow::ShowHint() {
  if (const auto pair = game_.FindFirstPair()) {
    drawing_.MarkCell(pair->Cells.X1, pair->Cells.Y1, Mark::Hint);
    drawing_.MarkCell(pair->Cells.X2, pair->Cells.Y2, Mark::Hint);
  } else {
    screen_.ShowMessage(kNoPairText);
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

// The pair is shown with its path, taken away, left on show for a moment, and then the
// tiles close up. Input that comes in meanwhile (from inside a box) waits until it is over.
void PlayFlow::RemovalSequence(const LinkedPair& pair, const RemovalKind& kind) {
  ++busy_;
  OnExit notBusy([this] { --busy_; });
  const CellPair& cells = pair.Cells;
  const Preset preset = game_.Rules();
  const int pauseMs = kind.playersPace ? preset.PauseMs : kind.pauseMs;
  const int timeBonus = kind.playersPace ? preset.TimeBonus : kind.timeBonus;
  const int points = kind.playersPace ? preset.PairPoints : 0;

  drawing_.MarkCell(cells.X1, cells.Y1, kind.mark);
  if (kind.marksBothCells) drawing_.MarkCell(cells.X2, cells.Y2, kind.mark);
  drawing_.DrawLink(cells.X1, cells.Y1, cells.X2, cells.Y2, pair.Link);
  game_.TakePair(cells, points);
  screen_.RepaintBoard();
  screen_.Wait(pauseMs);
  SetGauge(gauge_ + timeBonus);
  if (kind.playersPace) screen_.SetScoreText(ScoreText(game_.State().Score));
  game_.ShiftTiles();
  drawing_.DrawBoard();
  const bool cleared = game_.State().Remaining == 0;
  if (kind.asksToShuffle && !cleared && !PairLeft() && screen_.AskQuestion(kShuffleQuestion)) {
    for (int i = 0; i < kShufflesOnDeadlock; ++i) ShuffleTiles();
  }
  // A shuffle moves tiles only between occupied cells, so the count still holds.
  if (cleared) StageClear();
}

void PlayFlow::StageClear() {
  SetGauge(kGaugeFull);
  screen_.ShowMessage(game_.State().Stage == 9 ? kAllStagesText : kStageClearText);
  game_.NextStage();
  screen_.SetLevelText(LevelText(game_.State().Stage));
  drawing_.DrawBoard();
}

void PlayFlow::TimeUp() {
  const GameState& s = game_.State();
  SetTimer(false);
  SetBoardEnabled(false);
  screen_.ShowMessage(kTimeUpText);

  if (s.Difficulty == Difficulty::None) return;
  const int d = static_cast<int>(s.Difficulty);
  if (s.Score <= records_.BestScore[d]) return;
  records_.BestName[d] = screen_.AskName(kRecordTitle, kRecordPrompts[d]);
  records_.BestScore[d] = s.Score;
  // Easy writes the file before the leaderboard comes up; the other two the other way
  // round. A refused write ends the handler here, so for easy the leaderboard stays shut.
  if (s.Difficulty == Difficulty::Easy) {
    records_.SaveRecord(d);
    screen_.ShowLeaderboard();
  } else {
    screen_.ShowLeaderboard();
    records_.SaveRecord(d);
  }
}

}  // namespace quenlow
