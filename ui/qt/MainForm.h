#pragma once
// The main window: the board, the time bar, the two labels, the menu and the timer. It owns
// the game and hands every event to the play flow; the flow reaches back through Screen.

#include <QMainWindow>
#include <memory>
#include <string>

#include "game/Game.h"
#include "game/Random.h"
#include "scores/Records.h"
#include "scores/RecordsLocation.h"
#include "ui/BoardDrawing.h"
#include "ui/BoardPicture.h"
#include "ui/PlayFlow.h"
#include "ui/Screen.h"

class QAction;
class QLabel;
class QTimer;

namespace quenlow {

class BoardView;
class PictureView;
class TimeGauge;
class TScoreForm;

class TMainForm : public QMainWindow, public Screen {
  Q_OBJECT

 public:
  // The game keeps its records in score.ini beside the program, or, once installed, in the
  // player's data folder.
  TMainForm();
  explicit TMainForm(const RecordsLocation& location);
  // The same with the records in another file (tests use a temporary one).
  explicit TMainForm(std::string scoreFilePath);
  ~TMainForm() override;

  PlayFlow& Flow() {
    LoadTiles();
    return flow_;
  }
  Records& GetRecords() { return records_; }
  Game& GetGame() { return game_; }
  const BoardPicture& Picture() const { return picture_; }
  // The time between two ticks of the time bar (three seconds unless tests shorten it).
  void SetTickPeriod(int milliseconds);

  // Screen.
  void ShowMessage(const std::string& text) override;
  bool AskQuestion(const std::string& text) override;
  std::string AskName(const std::string& title, const std::string& prompt) override;
  void ShowError(const std::string& text) override;
  void SetGauge(int value, GaugeColor color) override;
  void SetGaugeVisible(bool visible) override;
  void SetLevelText(const std::string& text) override;
  void SetScoreText(const std::string& text) override;
  void SetScoreVisible(bool visible) override;
  void SetTimerRunning(bool running) override;
  void SetBoardEnabled(bool enabled) override;
  void SetPaused(bool paused) override;
  void RepaintBoard() override;
  void Wait(int milliseconds) override;
  void ShowLeaderboard() override;
  void ShowAbout() override;
  void CloseWindow() override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void LoadRecords();
  void CreateControls();
  // The menu bar, built from the table of its items; tests find each item by its object name.
  void CreateMenu();
  // Runs one event of the window through the flow, then shows what it drew.
  template <typename F>
  void Forward(F&& handler);

  void BoardPress(int x, int y);
  void Tick();
  // Decodes the tile pictures before the first drawing needs them, not while the window opens.
  void LoadTiles();
  // Draws the board picture anew at the scale of a screen of this pixel ratio, when that
  // differs from the scale it has: moved to a screen at 200 %, the board stays sharp.
  void FollowScreenScale(qreal ratio);
  // The pause picture at the board picture's scale.
  void LoadPausePicture();

  ClockRandom random_;
  Game game_;
  Records records_;
  BoardPicture picture_;
  TilePictures tiles_;  // empty until LoadTiles()
  bool tilesLoaded_ = false;
  bool screenFollowed_ = false;
  BoardDrawing drawing_;
  PlayFlow flow_;

  // The controls, bottom of the stacking order first.
  BoardView* boardView_ = nullptr;
  PictureView* pausePicture_ = nullptr;
  TimeGauge* timeBar_ = nullptr;
  QLabel* levelLabel_ = nullptr;
  QLabel* scoreLabel_ = nullptr;
  QTimer* tickTimer_ = nullptr;
  QAction* pauseCommand_ = nullptr;
  TScoreForm* leaderboard_ = nullptr;
};

}  // namespace quenlow
