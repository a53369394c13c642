#pragma once
// The flow of play: starting games, picking and removing pairs, the time bar, stage
// clears, the shuffle question, time-up and new records, and the menu commands.
// Every public handler is one event of the window; none lets an exception escape: an
// error ends the handler and is shown in the error box.

#include <exception>
#include <string>

#include "game/Game.h"
#include "scores/Records.h"
#include "ui/BoardDrawing.h"
#include "ui/Screen.h"

namespace quenlow {

// The player's pick: the cell of the first press, and how many presses on tiles the pick has
// taken so far (0, 1, or 2 while the second press is being handled).
struct Pick {
  int X = 0;
  int Y = 0;
  int Count = 0;
};

class PlayFlow {
 public:
  PlayFlow(Game& game, Records& records, BoardDrawing& drawing, Screen& screen)
      : game_(game), records_(records), drawing_(drawing), screen_(screen) {}

  // Events of the main window: a press on the board (in picture pixels) and a tick of the
  // timer.
  void BoardPress(int x, int y);
  void Tick();

  // Menu commands.
  void NewGameCommand(Difficulty difficulty) {
    Guarded([&] { StartGame(difficulty); });
  }
  void LeaderboardCommand();
  void RemovePairCommand();
  void HintCommand();
  void ShuffleCommand();
  void PauseCommand();
  void HelpCommand();
  void AboutCommand();
  void QuitCommand();
  // The leaderboard's reset button. True when the reset went through, so the leaderboard
  // refills its labels; false when it failed (the error box has been shown and the
  // records in memory are unchanged).
  bool ResetRecordsCommand();

  // The steps the events are made of (public so that tests can reach them).
  void StartGame(Difficulty difficulty);
  // Takes the first pair the scan finds away, or says there is none and shuffles.
  void RemoveOnePair();
  // Whether any pair on the board can be taken away.
  bool PairLeft() const;
  // Marks the first pair the scan finds, or says there is none.
  void ShowHint();
  void ShuffleTiles();

  const Pick& CurrentPick() const { return pick_; }
  int GaugeValue() const { return gauge_; }
  GaugeColor GaugeColour() const { return gaugeColor_; }
  bool Paused() const { return paused_; }
  bool BoardEnabled() const { return boardEnabled_; }
  bool TimerRunning() const { return timerRunning_; }
  bool Busy() const { return busy_ > 0; }

 private:
  // The two ways a pair leaves the board.
  struct RemovalKind {
    Mark mark;              // how the pair is shown while it goes
    bool marksBothCells;    // else only the first: the player's pick is marked already
    bool playersPace;       // the preset's pause, time bonus and points, and the score label
    int pauseMs;            // otherwise this pause
    int timeBonus;          // and this much time, and no points
    bool asksToShuffle;     // a board left without a pair brings up the shuffle question
  };
  static constexpr RemovalKind kByPlayer{Mark::Pick, false, true, 0, 0, true};
  static constexpr RemovalKind kAutomatic{Mark::Hint, true, false, 200, 1, false};

  // Runs one event handler; an error ends it and is shown in the error box.
  // True when the handler ran to its end.
  template <typename F>
  bool Guarded(F&& handler) {
    try {
      handler();
      return true;
    } catch (const std::exception& error) {
      screen_.ShowError(std::string(error.what()) + ".");
      return false;
    }
  }

  void SetGauge(int value);
  void SetTimer(bool running);
  void SetBoardEnabled(bool enabled);
  void RemovalSequence(const LinkedPair& pair, const RemovalKind& kind);
  void StageClear();
  void TimeUp();

  Game& game_;
  Records& records_;
  BoardDrawing& drawing_;
  Screen& screen_;

  Pick pick_;
  int gauge_ = 100;
  GaugeColor gaugeColor_ = GaugeColor::Green;
  bool paused_ = false;
  bool boardEnabled_ = true;
  bool timerRunning_ = false;
  int busy_ = 0;  // > 0 while a removal sequence runs
};

}  // namespace quenlow
