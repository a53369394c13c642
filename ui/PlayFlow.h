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

class PlayFlow {
 public:
  PlayFlow(Game& game, Records& records, BoardDrawing& drawing, Screen& screen)
      : game_(game), records_(records), drawing_(drawing), screen_(screen) {}

  // Events of the main window.
  void ImageMouseDown(int x, int y);
  void Timer1Timer();

  // Menu commands.
  void NEasyClick() {
    Guarded([&] { StartGame(1); });
  }
  void NNormalClick() {
    Guarded([&] { StartGame(2); });
  }
  void NHardClick() {
    Guarded([&] { StartGame(3); });
  }
  void NSequenceClick();
  void NEliminateClick();
  void NHintClick();
  void NShuffleClick();
  void NPauseClick();
  void NHelpClick();
  void NAboutClick();
  void NQuitClick();
  // The leaderboard's reset button. True when the reset went through, so the leaderboard
  // refills its labels; false when it failed (the error box has been shown and the
  // records in memory are unchanged).
  bool ResetClick();

  // The steps the events are made of (public so that tests can reach them).
  void StartGame(TDifficulty difficulty);
  void SearchPair(int mode);
  void ShuffleTiles();

  int GaugeValue() const { return gauge_; }
  GaugeColor GaugeColour() const { return gaugeColor_; }
  bool Paused() const { return paused_; }
  bool BoardEnabled() const { return boardEnabled_; }
  bool TimerRunning() const { return timerRunning_; }
  bool Busy() const { return busy_ > 0; }

 private:
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
  void RemovalSequence(int x, int y);
  void RemoveOnePair();
  void StageClear();
  void TimeUp();

  Game& game_;
  Records& records_;
  BoardDrawing& drawing_;
  Screen& screen_;

  int gauge_ = 100;
  GaugeColor gaugeColor_ = GaugeColor::Green;
  bool paused_ = false;
  bool boardEnabled_ = true;
  bool timerRunning_ = false;
  int busy_ = 0;  // > 0 while a removal sequence runs
};

}  // namespace quenlow
