#pragma once
// The play flow wired to the real engine, the real board drawing (with plain one-colour
// tile pictures), records on a score file in a fresh folder, and a scripted screen that
// records what the flow asks of it.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <array>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "game/Game.h"
#include "scores/Records.h"
#include "ui/BoardDrawing.h"
#include "ui/BoardPicture.h"
#include "ui/PlayFlow.h"
#include "ui/Screen.h"
#include "tests/support/Printing.h"
#include "tests/support/TempFolder.h"

namespace quenlow::testing {

// Chance that the tests can repeat: re-seeding is only counted, and the draws come from
// one seeded engine (or are always the lowest value, when asked).
class FixedRandom final : public RandomSource {
 public:
  void Reseed() override { ++reseeds; }
  int Draw(int n) override {
    if (n < 2 || lowest) return 1;
    return std::uniform_int_distribution<int>(1, n - 1)(engine);
  }

  int reseeds = 0;
  bool lowest = false;
  std::mt19937 engine{20240607u};
};

class FakeScreen final : public Screen {
 public:
  // Every call but the time bar's, in order: "message:<text>", "question:<text>",
  // "name:<title>|<prompt>", "error:<text>", "repaint", "wait:<ms>", "leaderboard",
  // "about", "close", "timer:on|off", "board:on|off", "paused:on|off", "level:<text>",
  // "score:<text>", "score-visible:on|off", "gauge-visible:on|off".
  std::vector<std::string> log;

  // Answers of the question box and the name box, taken from the front; when they run
  // out, the question is answered No and the name box is cancelled.
  std::deque<bool> answers;
  std::deque<std::string> names;

  // Runs inside every modal box (message, question, name entry) while it is open.
  std::function<void()> insideBox;
  std::function<void()> onRepaint;
  std::function<void()> onLeaderboard;
  int boxDepth = 0;

  int gauge = -1;  // -1 until the flow first sets it
  GaugeColor gaugeColour = GaugeColor::Green;
  bool gaugeAlwaysInRange = true;
  bool gaugeVisible = false;
  std::string levelText;
  std::string scoreText = "0";
  bool scoreVisible = false;
  bool timerRunning = false;
  bool boardEnabled = true;
  bool paused = false;

  void ShowMessage(const std::string& text) override {
    log.push_back("message:" + text);
    InsideBox();
  }
  bool AskQuestion(const std::string& text) override {
    log.push_back("question:" + text);
    InsideBox();
    if (answers.empty()) return false;
    const bool answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::string AskName(const std::string& title, const std::string& prompt) override {
    log.push_back("name:" + title + "|" + prompt);
    InsideBox();
    if (names.empty()) return {};
    std::string name = names.front();
    names.pop_front();
    return name;
  }
  void ShowError(const std::string& text) override { log.push_back("error:" + text); }

  void SetGauge(int value, GaugeColor colour) override {
    if (value < 0 || value > 100) gaugeAlwaysInRange = false;
    gauge = value;
    gaugeColour = colour;
  }
  void SetGaugeVisible(bool visible) override {
    gaugeVisible = visible;
    log.push_back(std::string("gauge-visible:") + OnOff(visible));
  }
  void SetLevelText(const std::string& text) override {
    levelText = text;
    log.push_back("level:" + text);
  }
  void SetScoreText(const std::string& text) override {
    scoreText = text;
    log.push_back("score:" + text);
  }
  void SetScoreVisible(bool visible) override {
    scoreVisible = visible;
    log.push_back(std::string("score-visible:") + OnOff(visible));
  }
  void SetTimerRunning(bool running) override {
    timerRunning = running;
    log.push_back(std::string("timer:") + OnOff(running));
  }
  void SetBoardEnabled(bool enabled) override {
    boardEnabled = enabled;
    log.push_back(std::string("board:") + OnOff(enabled));
  }
  void SetPaused(bool isPaused) override {
    paused = isPaused;
    log.push_back(std::string("paused:") + OnOff(isPaused));
  }
  void RepaintBoard() override {
    log.push_back("repaint");
    if (onRepaint) onRepaint();
  }
  void Wait(int milliseconds) override { log.push_back("wait:" + std::to_string(milliseconds)); }
  void ShowLeaderboard() override {
    log.push_back("leaderboard");
    if (onLeaderboard) onLeaderboard();
  }
  void ShowAbout() override { log.push_back("about"); }
  void CloseWindow() override { log.push_back("close"); }

  int Count(const std::string& entry) const {
    int n = 0;
    for (const auto& e : log) n += e == entry ? 1 : 0;
    return n;
  }
  // Position of the first entry equal to the given one, or -1.
  int IndexOf(const std::string& entry) const {
    for (std::size_t i = 0; i < log.size(); ++i) {
      if (log[i] == entry) return static_cast<int>(i);
    }
    return -1;
  }
  // Boxes of any kind opened so far.
  int Boxes() const {
    int n = 0;
    for (const auto& e : log) {
      n += e.rfind("message:", 0) == 0 || e.rfind("question:", 0) == 0 || e.rfind("name:", 0) == 0
               ? 1
               : 0;
    }
    return n;
  }

 private:
  static const char* OnOff(bool on) { return on ? "on" : "off"; }
  void InsideBox() {
    if (!insideBox) return;
    ++boxDepth;
    insideBox();
    --boxDepth;
  }
};

// The colour a plain tile picture of the given kind is filled with. Navy and yellow are
// left out (the link is yellow, and navy is its inverse), as are black and white.
inline std::uint8_t TileColour(TileKind kind) {
  static constexpr std::array<std::uint8_t, 12> kColours = {1, 2, 3, 5, 6, 7, 8, 9, 10, 12, 13, 14};
  if (kind == 0) return kBlack;
  return kColours[static_cast<std::size_t>(kind - 1) % kColours.size()];
}

inline TilePictures PlainTiles() {
  TilePictures tiles;
  for (int kind = 0; kind < 27; ++kind) {
    tiles[static_cast<std::size_t>(kind)].Width = 40;
    tiles[static_cast<std::size_t>(kind)].Height = 50;
    tiles[static_cast<std::size_t>(kind)].Pixels.assign(40 * 50, TileColour(kind));
  }
  return tiles;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void MakeReadOnly(const std::string& path) {
  std::filesystem::permissions(path,
                               std::filesystem::perms::owner_read |
                                   std::filesystem::perms::group_read |
                                   std::filesystem::perms::others_read,
                               std::filesystem::perm_options::replace);
}

class FlowTest : public ::testing::Test {
 protected:
  const GameState& State() const { return game.State(); }
  BoardLayout Layout() const { return drawing.Layout(); }

  // Empties the field and its ring and lays the given rows on it: '.' an empty cell,
  // 'a'..'z' the kinds 1..26; the first string is row 1, its first character column 1.
  // Remaining is set to match and the board is drawn.
  void Lay(const std::vector<std::string>& rows) {
    const Board& board = game.Board();
    for (int x = 0; x <= board.Cols + 1; ++x) {
      for (int y = 0; y <= board.Rows + 1; ++y) game.SetCell(x, y, 0);
    }
    for (std::size_t r = 0; r < rows.size(); ++r) {
      for (std::size_t c = 0; c < rows[r].size(); ++c) {
        if (rows[r][c] == '.') continue;
        game.SetCell(static_cast<int>(c) + 1, static_cast<int>(r) + 1, rows[r][c] - 'a' + 1);
      }
    }
    game.CountTiles();
    drawing.DrawBoard();
  }

  void PressCell(int x, int y) {
    int px = 0;
    int py = 0;
    CellCentre(Layout(), x, y, px, py);
    flow.BoardPress(px, py);
  }

  // Ticks until the time bar shows the given value (from above).
  void TickTo(int value) {
    for (int guard = 0; flow.GaugeValue() > value && guard < 200; ++guard) flow.Tick();
    ASSERT_EQ(flow.GaugeValue(), value);
  }

  // A pixel near the top-left corner of the cell, clear of any link through its centre.
  std::uint8_t CornerPixel(int x, int y) const {
    const CellRect r = CellRectangle(Layout(), x, y);
    return picture.Pixel(r.Left + 3, r.Top + 3);
  }
  bool ShownPlain(int x, int y) const { return CornerPixel(x, y) == TileColour(game.At(x, y)); }
  bool ShownInverted(int x, int y) const {
    return CornerPixel(x, y) == 15 - TileColour(game.At(x, y));
  }

  // The hint mark: the cell's one-pixel frame as drawn, and some of the pixels inside
  // (those under the hatch) inverted. The kind is given, since the cell may be empty by now.
  // Yellow is passed over: the path of a link may run across the cell.
  bool ShownHinted(int x, int y, TileKind kind) const {
    const CellRect r = CellRectangle(Layout(), x, y);
    const std::uint8_t plain = TileColour(kind);
    int inverted = 0;
    for (int py = r.Top; py < r.Bottom; ++py) {
      for (int px = r.Left; px < r.Right; ++px) {
        const std::uint8_t pixel = picture.Pixel(px, py);
        const bool frame = py == r.Top || py == r.Bottom - 1 || px == r.Left || px == r.Right - 1;
        if (frame && pixel != plain && pixel != kYellow) return false;  // a link may cross it
        if (pixel == 15 - plain) ++inverted;
      }
    }
    return inverted > 0;
  }

  int TilesOnField() const {
    int n = 0;
    for (int x = 1; x <= game.Board().Cols; ++x) {
      for (int y = 1; y <= game.Board().Rows; ++y) n += game.At(x, y) != 0 ? 1 : 0;
    }
    return n;
  }

  std::vector<TileKind> Field() const {
    std::vector<TileKind> cells;
    for (int x = 1; x <= game.Board().Cols; ++x) {
      for (int y = 1; y <= game.Board().Rows; ++y) cells.push_back(game.At(x, y));
    }
    return cells;
  }

  std::vector<std::uint8_t> Pixels() const {
    return {picture.Bits(), picture.Bits() + BoardPicture::kWidth * BoardPicture::kHeight};
  }

  // What must hold between any two events, whatever came before.
  void ExpectSound(const std::string& context = {}) const {
    SCOPED_TRACE(context);
    const Board& s = game.Board();
    EXPECT_EQ(TilesOnField(), State().Remaining);
    std::array<int, 27> counts{};
    for (int x = 1; x <= s.Cols; ++x) {
      for (int y = 1; y <= s.Rows; ++y) {
        const TileKind kind = game.At(x, y);
        ASSERT_GE(kind, 0);
        ASSERT_LE(kind, 26);
        ++counts[static_cast<std::size_t>(kind)];
      }
    }
    for (int kind = 1; kind <= 26; ++kind) {
      EXPECT_EQ(counts[static_cast<std::size_t>(kind)] % 2, 0) << "kind " << kind;
    }
    const Board& board = game.Board();
    for (int x = 0; x <= s.Cols + 1; ++x) {
      EXPECT_EQ(board(x, 0), 0) << "ring cell " << x << ",0";
      EXPECT_EQ(board(x, s.Rows + 1), 0) << "ring cell " << x << "," << s.Rows + 1;
    }
    for (int y = 0; y <= s.Rows + 1; ++y) {
      EXPECT_EQ(board(0, y), 0) << "ring cell 0," << y;
      EXPECT_EQ(board(s.Cols + 1, y), 0) << "ring cell " << s.Cols + 1 << "," << y;
    }
    const int picked = flow.CurrentPick().Count;
    EXPECT_TRUE(picked == 0 || picked == 1) << "pick count " << picked;
    EXPECT_GE(flow.GaugeValue(), 0);
    EXPECT_LE(flow.GaugeValue(), 100);
    EXPECT_TRUE(screen.gaugeAlwaysInRange);
    if (screen.gauge >= 0) {
      EXPECT_EQ(screen.gauge, flow.GaugeValue());
    }
    EXPECT_FALSE(flow.Busy());
  }

  FixedRandom random;
  Game game{random};
  TempFolder folder{"quenlow-flow"};
  std::string scorePath = (folder.Path() / "score.ini").string();
  Records records{scorePath};
  BoardPicture picture;
  TilePictures tiles = PlainTiles();
  BoardDrawing drawing{game, picture, tiles};
  FakeScreen screen;
  PlayFlow flow{game, records, drawing, screen};
};

}  // namespace quenlow::testing
