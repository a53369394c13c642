#pragma once
// Everything the play flow needs from the window toolkit. The Qt main window implements
// it; the tests drive the flow through a scripted fake. Texts are UTF-8, the record holders'
// names too.

#include <string>

namespace quenlow {

enum class GaugeColor { Green, Yellow, Red };

class Screen {
 public:
  virtual ~Screen() = default;

  // Modal boxes. Timer ticks go on while they are open.
  virtual void ShowMessage(const std::string& text) = 0;   // empty title, no icon, "OK"
  virtual bool AskQuestion(const std::string& text) = 0;   // "Information", "&Yes"/"&No"
  // The name-entry box (at most 255 characters); the name as UTF-8 text, empty when
  // cancelled or closed.
  virtual std::string AskName(const std::string& title, const std::string& prompt) = 0;
  virtual void ShowError(const std::string& text) = 0;     // stop icon, "OK", empty caption

  virtual void SetGauge(int value, GaugeColor color) = 0;  // value already within 0..100
  virtual void SetGaugeVisible(bool visible) = 0;
  virtual void SetLevelText(const std::string& text) = 0;
  virtual void SetScoreText(const std::string& text) = 0;
  virtual void SetScoreVisible(bool visible) = 0;

  // Switching the timer on while it runs keeps the current period.
  virtual void SetTimerRunning(bool running) = 0;
  virtual void SetBoardEnabled(bool enabled) = 0;
  // Shows or hides the pause picture and sets the pause command's check mark.
  virtual void SetPaused(bool paused) = 0;

  // Paints the board picture now, without running any other pending event.
  virtual void RepaintBoard() = 0;
  // Blocks for the given time; nothing is handled meanwhile.
  virtual void Wait(int milliseconds) = 0;

  // Shows the leaderboard (non-modal), refilled from the records in memory.
  virtual void ShowLeaderboard() = 0;
  virtual void ShowAbout() = 0;
  virtual void CloseWindow() = 0;
};

}  // namespace quenlow
