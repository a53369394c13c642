// Presses on the board: which pixels count, picking and un-picking, and the removal of
// the player's pair with everything that follows it.

#include <algorithm>
#include <array>
#include <climits>

#include "tests/flow/FlowFixture.h"

namespace quenlow::testing {
namespace {

using FlowPickTest = FlowTest;

TEST_F(FlowPickTest, OnlyPressesStrictlyInsideTheFieldCount) {
  struct Case {
    int difficulty;
    int x, y;
    bool picks;
    int cellX, cellY;
  };
  // Easy: field x 80..560, y 100..450; hard: x 40..600, y 60..510.
  const Case cases[] = {
      {1, 80, 125, false, 0, 0},
      {1, 81, 125, true, 1, 1},
      {1, 81, 101, true, 1, 1},
      {1, 560, 125, false, 0, 0},
      {1, 559, 125, true, 12, 1},
      {1, 100, 100, false, 0, 0},
      {1, 100, 101, true, 1, 1},
      {1, 100, 450, false, 0, 0},
      {1, 100, 449, true, 1, 7},
      {1, 559, 449, true, 12, 7},
      {1, 60, 125, false, 0, 0},
      {1, 300, 475, false, 0, 0},
      {1, 0, 0, false, 0, 0},
      {1, -1, 200, false, 0, 0},
      {1, INT_MIN, INT_MAX, false, 0, 0},
      {1, INT_MAX, 200, false, 0, 0},
      {3, 40, 85, false, 0, 0},
      {3, 41, 85, true, 1, 1},
      {3, 600, 85, false, 0, 0},
      {3, 599, 85, true, 14, 1},
      {3, 60, 60, false, 0, 0},
      {3, 60, 61, true, 1, 1},
      {3, 60, 510, false, 0, 0},
      {3, 60, 509, true, 1, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message()
                 << "difficulty " << c.difficulty << " press " << c.x << "," << c.y);
    flow.StartGame(static_cast<Difficulty>(c.difficulty));
    const auto before = Pixels();
    flow.BoardPress(c.x, c.y);
    if (c.picks) {
      EXPECT_EQ(flow.CurrentPick().Count, 1);
      EXPECT_EQ(flow.CurrentPick().X, c.cellX);
      EXPECT_EQ(flow.CurrentPick().Y, c.cellY);
      EXPECT_TRUE(ShownInverted(c.cellX, c.cellY));
    } else {
      EXPECT_EQ(flow.CurrentPick().Count, 0);
      EXPECT_EQ(Pixels(), before);
    }
  }
}

TEST_F(FlowPickTest, NoPressCountsBeforeTheFirstGame) {
  const auto before = Pixels();
  for (const auto& [x, y] : {std::pair{0, 0}, {100, 125}, {320, 275}, {639, 549}}) {
    flow.BoardPress(x, y);
  }
  EXPECT_EQ(flow.CurrentPick().Count, 0);
  EXPECT_EQ(Pixels(), before);
  EXPECT_TRUE(screen.log.empty());
}

// b and c sit crosswise in the corner, so neither pair can be linked; the d pair can.
const std::vector<std::string> kCrossAndPair = {
    "bc..........",
    "cb..........",
    "............",
    "....dd......",
};

TEST_F(FlowPickTest, PickAndUnpickSequences) {
  struct Press {
    int x, y;
    bool pixel;  // x, y a pixel of the picture rather than a cell
  };
  struct Case {
    const char* name;
    std::vector<Press> presses;
    int clickCount;
    std::vector<std::pair<int, int>> inverted;
    int remaining;
  };
  const Case cases[] = {
      {"one press picks", {{5, 4, false}}, 1, {{5, 4}}, 6},
      {"the picked tile again drops the pick", {{5, 4, false}, {5, 4, false}}, 0, {}, 6},
      {"another kind picks neither", {{5, 4, false}, {1, 1, false}}, 0, {}, 6},
      {"a third press picks anew", {{5, 4, false}, {1, 1, false}, {1, 1, false}}, 1, {{1, 1}}, 6},
      {"same kind but no path", {{1, 1, false}, {2, 2, false}}, 0, {}, 6},
      {"an empty cell keeps the pick", {{5, 4, false}, {3, 3, false}}, 1, {{5, 4}}, 6},
      {"the ring keeps the pick",
       {{5, 4, false}, {60, 125, true}, {100, 460, true}},
       1,
       {{5, 4}},
       6},
      {"the margin keeps the pick",
       {{5, 4, false}, {10, 10, true}, {630, 540, true}},
       1,
       {{5, 4}},
       6},
      {"an empty cell between the two presses",
       {{5, 4, false}, {3, 3, false}, {6, 4, false}},
       0,
       {},
       4},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    flow.StartGame(Difficulty::Easy);
    Lay(kCrossAndPair);
    const auto before = Pixels();
    for (const Press& p : c.presses) {
      if (p.pixel) {
        flow.BoardPress(p.x, p.y);
      } else {
        PressCell(p.x, p.y);
      }
    }
    EXPECT_EQ(flow.CurrentPick().Count, c.clickCount);
    EXPECT_EQ(State().Remaining, c.remaining);
    for (int x = 1; x <= game.Board().Cols; ++x) {
      for (int y = 1; y <= game.Board().Rows; ++y) {
        const bool expectInverted =
            std::find(c.inverted.begin(), c.inverted.end(), std::pair{x, y}) != c.inverted.end();
        EXPECT_EQ(ShownInverted(x, y), expectInverted) << "cell " << x << "," << y;
        if (!expectInverted) {
          EXPECT_TRUE(ShownPlain(x, y)) << "cell " << x << "," << y;
        }
      }
    }
    if (c.clickCount == 1) {
      EXPECT_EQ(std::pair(flow.CurrentPick().X, flow.CurrentPick().Y), c.inverted.front());
    }
    if (c.clickCount == 0 && c.remaining == 6) {
      EXPECT_EQ(Pixels(), before);
    }
    ExpectSound();
  }
}

TEST_F(FlowPickTest, RemovalShowsThePathThenTakesThePairAway) {
  flow.StartGame(Difficulty::Easy);
  Lay({"aa..........", "............", "..b.b.......", "............", "..........cc"});
  const std::uint8_t invertedA = 15 - TileColour(1);
  bool repainted = false;
  screen.onRepaint = [&] {
    repainted = true;
    // Both tiles inverted and the yellow path between their centres, (100,125) and
    // (140,125); the pair has already gone from the board and scored, but the score label
    // still shows the old score.
    EXPECT_EQ(CornerPixel(1, 1), invertedA);
    EXPECT_EQ(CornerPixel(2, 1), invertedA);
    EXPECT_EQ(picture.Pixel(120, 125), kYellow);
    EXPECT_EQ(game.At(1, 1), 0);
    EXPECT_EQ(game.At(2, 1), 0);
    EXPECT_EQ(State().Remaining, 4);
    EXPECT_EQ(screen.scoreText, "0");
  };
  PressCell(1, 1);
  PressCell(2, 1);
  ASSERT_TRUE(repainted);
  screen.onRepaint = nullptr;

  const int repaint = screen.IndexOf("repaint");
  EXPECT_EQ(screen.IndexOf("wait:500"), repaint + 1);
  EXPECT_EQ(screen.IndexOf("score:50"), repaint + 2);
  EXPECT_EQ(State().Score, 50);
  EXPECT_EQ(State().Remaining, 4);
  EXPECT_EQ(flow.CurrentPick().Count, 0);
  EXPECT_NE(picture.Pixel(120, 125), kYellow);
  EXPECT_TRUE(ShownPlain(1, 1));
  EXPECT_TRUE(ShownPlain(2, 1));
  EXPECT_EQ(screen.Boxes(), 0);  // a pair is left: no question

  PressCell(3, 3);
  PressCell(5, 3);
  EXPECT_EQ(State().Score, 100);
  EXPECT_EQ(screen.scoreText, "100");
  EXPECT_EQ(State().Remaining, 2);
  ExpectSound();

  // A new game shows 0 at once and checks no record, though 100 beats the stored 0.
  flow.NewGameCommand(Difficulty::Easy);
  EXPECT_EQ(State().Score, 0);
  EXPECT_EQ(screen.scoreText, "0");
  EXPECT_EQ(State().Stage, 1);
  EXPECT_EQ(flow.GaugeValue(), 100);
  EXPECT_EQ(screen.Boxes(), 0);
  EXPECT_EQ(records.BestScore[1], 0);
}

TEST_F(FlowPickTest, RemovalAddsTheBonusButLeavesTheColour) {
  struct Case {
    int before, after;
    GaugeColor colour;
  };
  const Case cases[] = {
      {100, 100, GaugeColor::Green},
      {37, 38, GaugeColor::Yellow},
      {49, 50, GaugeColor::Yellow},  // back at 50 it stays yellow until the next tick
      {10, 11, GaugeColor::Red},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.before);
    flow.StartGame(Difficulty::Easy);
    TickTo(c.before);
    Lay({"aa..........", "bb.........."});
    PressCell(1, 1);
    PressCell(2, 1);
    EXPECT_EQ(flow.GaugeValue(), c.after);
    EXPECT_EQ(screen.gauge, c.after);
    EXPECT_EQ(flow.GaugeColour(), c.colour);
    EXPECT_EQ(screen.gaugeColour, c.colour);
  }
}

TEST_F(FlowPickTest, ADeadlockAsksWhetherToShuffle) {
  for (const bool yes : {true, false}) {
    SCOPED_TRACE(yes ? "Yes" : "No");
    flow.StartGame(Difficulty::Easy);
    Lay(kCrossAndPair);
    screen.log.clear();
    screen.answers = {yes};
    const int reseeds = random.reseeds;
    PressCell(5, 4);
    PressCell(6, 4);

    EXPECT_EQ(screen.Count("question:没有可提示的方块，是否洗牌？"), 1);
    EXPECT_EQ(random.reseeds - reseeds, yes ? 3 : 0);
    EXPECT_EQ(State().Remaining, 4);
    EXPECT_EQ(State().Stage, 1);
    // The shuffle only moves tiles between occupied cells; No leaves them where they were.
    std::array<int, 27> counts{};
    for (const auto& [x, y] : {std::pair{1, 1}, {2, 1}, {1, 2}, {2, 2}}) {
      ASSERT_NE(game.At(x, y), 0);
      ++counts[static_cast<std::size_t>(game.At(x, y))];
    }
    EXPECT_EQ(counts[2], 2);
    EXPECT_EQ(counts[3], 2);
    if (!yes) {
      EXPECT_EQ(game.At(1, 1), 2);
      EXPECT_EQ(game.At(2, 1), 3);
      EXPECT_EQ(game.At(1, 2), 3);
      EXPECT_EQ(game.At(2, 2), 2);
    }
    ExpectSound();

    // A failed pick is no removal: the question is not asked again.
    PressCell(1, 1);
    PressCell(1, 2);
    EXPECT_EQ(screen.Count("question:没有可提示的方块，是否洗牌？"), 1);
  }
}

TEST_F(FlowPickTest, TheLastPairClearsTheStage) {
  struct Case {
    int stage;
    bool byPlayer;
    const char* message;
    int nextStage;
    const char* level;
  };
  const Case cases[] = {
      {9, true, "你太厉害了！", 1, "第1关：不变化"},
      {3, true, "恭喜你，过关了！", 4, "第4关：上下分离"},
      {9, false, "你太厉害了！", 1, "第1关：不变化"},
      {3, false, "恭喜你，过关了！", 4, "第4关：上下分离"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(::testing::Message() << "stage " << c.stage << (c.byPlayer ? " player" : " auto"));
    flow.StartGame(Difficulty::Normal);
    TickTo(40);
    game.SetStage(c.stage);
    game.SetScore(1000);
    Lay({".............", "......a......", "......a......"});
    screen.log.clear();
    bool inBox = false;
    screen.insideBox = [&] {
      inBox = true;
      // The emptied board stays behind the box, with the bar already full.
      EXPECT_EQ(flow.GaugeValue(), 100);
      EXPECT_EQ(TilesOnField(), 0);
      EXPECT_EQ(State().Remaining, 0);
    };
    if (c.byPlayer) {
      PressCell(7, 2);
      PressCell(7, 3);
    } else {
      flow.RemovePairCommand();
    }
    screen.insideBox = nullptr;
    ASSERT_TRUE(inBox);

    EXPECT_EQ(screen.Count(std::string("message:") + c.message), 1);
    EXPECT_EQ(screen.Boxes(), 1);  // no shuffle question, though no pair was left
    EXPECT_EQ(State().Stage, c.nextStage);
    EXPECT_EQ(State().Difficulty, Difficulty::Normal);
    EXPECT_EQ(State().Remaining, 104);
    EXPECT_EQ(TilesOnField(), 104);
    EXPECT_EQ(screen.levelText, c.level);
    EXPECT_EQ(State().Score, c.byPlayer ? 1050 : 1000);
    EXPECT_EQ(flow.GaugeValue(), 100);
    EXPECT_EQ(flow.GaugeColour(), GaugeColor::Yellow);
    EXPECT_TRUE(screen.timerRunning);
    EXPECT_EQ(screen.Count("timer:off"), 0);
    ExpectSound();
  }
}

TEST_F(FlowPickTest, APressInsideTheShuffleQuestionIsNoPartOfThePick) {
  flow.StartGame(Difficulty::Easy);
  Lay(kCrossAndPair);
  screen.answers = {false};
  screen.insideBox = [&] {
    PressCell(1, 1);
    PressCell(2, 2);
    EXPECT_EQ(flow.CurrentPick().Count, 2);
  };
  PressCell(5, 4);
  PressCell(6, 4);
  EXPECT_EQ(flow.CurrentPick().Count, 0);
  EXPECT_EQ(State().Remaining, 4);
  EXPECT_TRUE(ShownPlain(1, 1));
  ExpectSound();
}

TEST_F(FlowPickTest, AShuffleKeepsThePickPending) {
  // Two pairs in four cells any two of which can be linked, so whatever the shuffle
  // puts where, the kind now at the pick decides the outcome.
  const std::vector<std::string> board = {"aa..........", "............", "bb.........."};
  for (const bool sameKind : {true, false}) {
    SCOPED_TRACE(sameKind ? "same kind" : "other kind");
    flow.StartGame(Difficulty::Easy);
    Lay(board);
    PressCell(1, 1);
    flow.ShuffleCommand();
    EXPECT_EQ(flow.CurrentPick().Count, 1);
    EXPECT_EQ(std::pair(flow.CurrentPick().X, flow.CurrentPick().Y), std::pair(1, 1));
    EXPECT_TRUE(ShownPlain(1, 1));  // the redraw took the inversion away

    const TileKind atPick = game.At(1, 1);
    ASSERT_NE(atPick, 0);
    std::pair<int, int> target{0, 0};
    for (const auto& [x, y] : {std::pair{2, 1}, {1, 3}, {2, 3}}) {
      if ((game.At(x, y) == atPick) == sameKind) target = {x, y};
    }
    ASSERT_NE(target.first, 0);
    PressCell(target.first, target.second);
    EXPECT_EQ(flow.CurrentPick().Count, 0);
    if (sameKind) {
      EXPECT_EQ(State().Remaining, 2);
      EXPECT_EQ(State().Score, 50);
    } else {
      // Taking back a pick that the redraw already took away inverts the cell, and
      // it stays so until the next redraw.
      EXPECT_EQ(State().Remaining, 4);
      EXPECT_TRUE(ShownInverted(1, 1));
      EXPECT_TRUE(ShownPlain(target.first, target.second));
    }
    ExpectSound();
  }
}

}  // namespace
}  // namespace quenlow::testing
