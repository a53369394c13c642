// The board drawing: what DrawBoard, MarkCell and DrawLink leave in the picture, the cell
// geometry, and the two label texts.

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <climits>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "PictureFixture.h"

namespace quenlow::testing {
namespace {

using Pixels = std::vector<std::uint8_t>;

Pixels Snapshot(const BoardPicture& picture) {
  return Pixels(picture.Bits(), picture.Bits() + BoardPicture::kWidth * BoardPicture::kHeight);
}

// The pixels where two snapshots differ, as "(x, y)" texts, for a readable failure.
std::vector<std::string> Differences(const Pixels& a, const Pixels& b, std::size_t limit = 10) {
  std::vector<std::string> out;
  for (std::size_t i = 0; i < a.size() && out.size() < limit; ++i) {
    if (a[i] != b[i]) {
      std::ostringstream at;
      at << '(' << i % BoardPicture::kWidth << ", " << i / BoardPicture::kWidth << ')';
      out.push_back(at.str());
    }
  }
  return out;
}

// A picture that is nowhere black, so that DrawBoard has to clear it on its own; last drawn with
// the link's wide pen, or with the one-pixel pen of a mark when asked.
void Scribble(DrawingFixture& f, bool endWithMark = false) {
  BoardPicture& p = *f.picture;
  p.penMode = PenMode::Copy;
  p.penColor = 9;
  p.brushStyle = BrushStyle::Solid;
  p.Rectangle(0, 0, BoardPicture::kWidth, BoardPicture::kHeight);
  f.drawing.DrawLink(0, 0, 15, 0, Link{LinkShape::Straight, {0, 0}, {15, 0}});
  if (endWithMark) f.drawing.MarkCell(3, 3, Mark::Hint);
}

// ---------------------------------------------------------------------------------------------
// DrawBoard

struct FieldCase {
  int Difficulty;
  int Left, Top, Right, Bottom;  // the playing field, right and bottom excluded
};
void PrintTo(const FieldCase& c, std::ostream* out) {
  *out << "difficulty " << c.Difficulty;
}

class DrawBoardTest : public ::testing::TestWithParam<FieldCase> {};

TEST_P(DrawBoardTest, BlackMarginsAndEveryCellPictureInItsPlace) {
  const FieldCase c = GetParam();
  for (const bool afterMark : {false, true}) {
    DrawingFixture f(c.Difficulty);
    f.FillBoard();
    f.game.SetCell(2, 3, 0);  // an emptied cell shows the blank picture
    Scribble(f, afterMark);

    f.drawing.DrawBoard();

    const int rows = f.game.Board().Rows, kinds = f.game.Rules().Kinds;
    int wrong = 0;
    for (int y = 0; y < BoardPicture::kHeight; ++y) {
      for (int x = 0; x < BoardPicture::kWidth; ++x) {
        std::uint8_t expected = kBlack;
        if (x >= c.Left && x < c.Right && y >= c.Top && y < c.Bottom) {
          const int cx = (x - c.Left) / 40 + 1, cy = (y - c.Top) / 50 + 1;
          const int kind = (cx == 2 && cy == 3) ? 0 : ((cx - 1) * rows + cy - 1) % kinds + 1;
          expected =
              f.tiles[static_cast<std::size_t>(kind)].At((x - c.Left) % 40, (y - c.Top) % 50);
        }
        if (f.picture->Pixel(x, y) != expected && ++wrong <= 5) {
          ADD_FAILURE() << (afterMark ? "after a mark" : "after a link") << ": pixel (" << x << ", "
                        << y << ") is " << int{f.picture->Pixel(x, y)} << ", expected "
                        << int{expected};
        }
      }
    }
    EXPECT_EQ(wrong, 0) << (afterMark ? "after a mark" : "after a link");
  }
}

INSTANTIATE_TEST_SUITE_P(EachDifficulty, DrawBoardTest,
                         ::testing::Values(FieldCase{1, 80, 100, 560, 450},
                                           FieldCase{2, 60, 80, 580, 480},
                                           FieldCase{3, 40, 60, 600, 510}));

TEST(DrawBoard, TilesBeyondTheFieldOfASmallerGameAreNotDrawn) {
  DrawingFixture f(3);
  f.FillBoard();  // a hard board: columns 13, 14 and rows 8, 9 hold tiles
  f.game.ApplyPreset(Difficulty::Easy);
  f.drawing.DrawBoard();
  for (const auto& [x, y] : std::vector<std::pair<int, int>>{{560, 120}, {590, 300}, {100, 460}}) {
    EXPECT_EQ(f.picture->Pixel(x, y), kBlack) << x << ", " << y;
  }
}

TEST(DrawBoard, PicturesOfAnotherSizeAreScaledToTheCell) {
  TilePictures tiles = SyntheticTiles();
  tiles[1] = SyntheticTile(1, 20, 25);   // half size: each pixel becomes a 2 x 2 block
  tiles[2] = SyntheticTile(2, 80, 100);  // double size: every other pixel is kept
  DrawingFixture f(1, tiles);
  f.game.SetCell(1, 1, 1);
  f.game.SetCell(2, 1, 2);
  f.drawing.DrawBoard();
  for (int y = 0; y < 50; ++y) {
    for (int x = 0; x < 40; ++x) {
      ASSERT_EQ(f.picture->Pixel(80 + x, 100 + y), tiles[1].At(x / 2, y / 2)) << x << ", " << y;
      ASSERT_EQ(f.picture->Pixel(120 + x, 100 + y), tiles[2].At(2 * x, 2 * y)) << x << ", " << y;
    }
  }
}

TEST(DrawBoard, MissingOrBrokenPicturesLeaveTheCellBlack) {
  TilePictures tiles = SyntheticTiles();
  tiles[1] = IndexedImage{};             // not loaded
  tiles[2] = IndexedImage{40, 50, {}};   // a size but no pixels
  tiles[3] = IndexedImage{40, 50, {7}};  // too few pixels
  DrawingFixture f(1, tiles);
  f.FillBoard();
  f.game.SetCell(1, 1, 1);
  f.game.SetCell(2, 1, 2);
  f.game.SetCell(3, 1, 3);
  f.game.SetCell(4, 1, 27);  // no such kind
  f.game.SetCell(5, 1, -1);
  Scribble(f);
  f.drawing.DrawBoard();
  for (int cell = 1; cell <= 5; ++cell) {
    const int left = 80 + (cell - 1) * 40;
    for (int y = 100; y < 150; ++y) {
      for (int x = left; x < left + 40; ++x) ASSERT_EQ(f.picture->Pixel(x, y), kBlack) << cell;
    }
  }
  EXPECT_EQ(f.picture->Pixel(80 + 5 * 40 + 3, 110),
            f.tiles[static_cast<std::size_t>(f.game.At(6, 1))].At(3, 10));
}

// ---------------------------------------------------------------------------------------------
// Geometry

struct CellGeometryCase {
  int Difficulty, X, Y;
  CellRect Rect;
  int CentreX, CentreY;
};

TEST(CellGeometry, RectanglesAndCentresOfFieldAndRingCells) {
  const CellGeometryCase cases[] = {
      {1, 1, 1, {80, 100, 120, 150}, 100, 125},
      {1, 0, 1, {40, 100, 80, 150}, 60, 125},  // ring, left of the field
      {1, 12, 7, {520, 400, 560, 450}, 540, 425},
      {1, 13, 8, {560, 450, 600, 500}, 580, 475},  // ring corner
      {2, 1, 1, {60, 80, 100, 130}, 80, 105},
      {2, 14, 9, {580, 480, 620, 530}, 600, 505},
      {3, 1, 0, {40, 10, 80, 60}, 60, 35},  // ring, above the field
      {3, 15, 10, {600, 510, 640, 560}, 620, 535},
  };
  for (const CellGeometryCase& c : cases) {
    const BoardLayout s = LayoutOf(static_cast<Difficulty>(c.Difficulty));
    const CellRect r = CellRectangle(s, c.X, c.Y);
    EXPECT_EQ(r, c.Rect) << "difficulty " << c.Difficulty << " cell " << c.X << ", " << c.Y << ": "
                         << r.Left << " " << r.Top << " " << r.Right << " " << r.Bottom;
    int px = -1, py = -1;
    CellCentre(s, c.X, c.Y, px, py);
    EXPECT_EQ(px, c.CentreX) << c.Difficulty << ": " << c.X << ", " << c.Y;
    EXPECT_EQ(py, c.CentreY) << c.Difficulty << ": " << c.X << ", " << c.Y;
  }
}

TEST(CellGeometry, EveryRingCentreLiesInsideThePicture) {
  for (int difficulty = 1; difficulty <= 3; ++difficulty) {
    const BoardLayout s = LayoutOf(static_cast<Difficulty>(difficulty));
    const Preset p = PresetOf(static_cast<Difficulty>(difficulty));
    for (int x = 0; x <= p.Cols + 1; ++x) {
      for (int y = 0; y <= p.Rows + 1; ++y) {
        if (x > 0 && x <= p.Cols && y > 0 && y <= p.Rows) continue;
        int px = 0, py = 0;
        CellCentre(s, x, y, px, py);
        EXPECT_TRUE(px >= 2 && px + 1 < BoardPicture::kWidth && py >= 2 &&
                    py + 1 < BoardPicture::kHeight)
            << difficulty << ": " << x << ", " << y << " -> " << px << ", " << py;
      }
    }
  }
}

struct PixelCase {
  int Difficulty, X, Y, CellX, CellY;
};

TEST(PixelToCell, CornerPixelsOfTheFieldAndOfItsCells) {
  const PixelCase cases[] = {
      {1, 80, 100, 1, 1},   {1, 119, 149, 1, 1}, {1, 120, 150, 2, 2}, {1, 559, 449, 12, 7},
      {1, 559, 100, 12, 1}, {1, 80, 449, 1, 7},  {2, 60, 80, 1, 1},   {2, 579, 479, 13, 8},
      {2, 579, 80, 13, 1},  {2, 60, 479, 1, 8},  {3, 40, 60, 1, 1},   {3, 599, 509, 14, 9},
      {3, 599, 60, 14, 1},  {3, 40, 509, 1, 9},
  };
  for (const PixelCase& c : cases) {
    const BoardLayout s = LayoutOf(static_cast<Difficulty>(c.Difficulty));
    int x = c.X, y = c.Y;
    PixelToCell(s, x, y);
    EXPECT_EQ(x, c.CellX) << c.Difficulty << ": " << c.X << ", " << c.Y;
    EXPECT_EQ(y, c.CellY) << c.Difficulty << ": " << c.X << ", " << c.Y;
  }
}

TEST(PixelToCell, EveryPixelOfACellRectangleMapsBackToThatCell) {
  for (int difficulty = 1; difficulty <= 3; ++difficulty) {
    const BoardLayout s = LayoutOf(static_cast<Difficulty>(difficulty));
    const Preset p = PresetOf(static_cast<Difficulty>(difficulty));
    for (int cx = 1; cx <= p.Cols; ++cx) {
      for (int cy = 1; cy <= p.Rows; ++cy) {
        const CellRect r = CellRectangle(s, cx, cy);
        for (int py = r.Top; py < r.Bottom; ++py) {
          for (int px = r.Left; px < r.Right; ++px) {
            int x = px, y = py;
            PixelToCell(s, x, y);
            ASSERT_TRUE(x == cx && y == cy)
                << difficulty << ": pixel " << px << ", " << py << " gave " << x << ", " << y;
          }
        }
      }
    }
  }
}

// ---------------------------------------------------------------------------------------------
// MarkCell

// The diagonal cross-hatch, by picture pixel (x mod 8, y mod 8).
constexpr const char* kHatch[8] = {
    "X......X", ".X....X.", "..X..X..", "...XX...", "...XX...", "..X..X..", ".X....X.", "X......X",
};
bool Hatched(int x, int y) {
  return kHatch[y % 8][x % 8] == 'X';
}

struct MarkedCell {
  int X, Y;
};

TEST(MarkCell, PickInvertsEveryPixelOfTheCellAndNothingElse) {
  for (const MarkedCell c : {MarkedCell{1, 1}, MarkedCell{12, 7}, MarkedCell{0, 0}}) {
    DrawingFixture f(1);
    f.FillBoard();
    f.drawing.DrawBoard();
    Scribble(f);  // something to invert in the ring too
    const Pixels before = Snapshot(*f.picture);
    f.drawing.MarkCell(c.X, c.Y, Mark::Pick);
    const CellRect r = CellRectangle(f.Layout(), c.X, c.Y);
    for (int y = 0; y < BoardPicture::kHeight; ++y) {
      for (int x = 0; x < BoardPicture::kWidth; ++x) {
        const std::uint8_t old = before[static_cast<std::size_t>(y * BoardPicture::kWidth + x)];
        const bool inside = x >= r.Left && x < r.Right && y >= r.Top && y < r.Bottom;
        ASSERT_EQ(f.picture->Pixel(x, y), inside ? 15 - old : old)
            << "cell " << c.X << ", " << c.Y << " pixel " << x << ", " << y;
      }
    }
  }
}

// On a black picture the hint leaves white exactly where the hatch runs inside the cell. The
// two cells lie at different offsets from the 8-pixel grid (rows 100 and 150), so a hatch
// aligned to the cell instead of the picture shows at one of them.
TEST(MarkCell, HintHatchesTheInsideAlignedToThePictureOrigin) {
  for (const MarkedCell c : {MarkedCell{1, 1}, MarkedCell{1, 2}, MarkedCell{3, 5}}) {
    DrawingFixture f(1);
    f.drawing.MarkCell(c.X, c.Y, Mark::Hint);
    const CellRect r = CellRectangle(f.Layout(), c.X, c.Y);
    for (int y = 0; y < BoardPicture::kHeight; ++y) {
      for (int x = 0; x < BoardPicture::kWidth; ++x) {
        const bool inside = x > r.Left && x < r.Right - 1 && y > r.Top && y < r.Bottom - 1;
        ASSERT_EQ(f.picture->Pixel(x, y), inside && Hatched(x, y) ? kWhite : kBlack)
            << "cell " << c.X << ", " << c.Y << " pixel " << x << ", " << y;
      }
    }
  }
}

TEST(MarkCell, HintInvertsUnderTheHatchAndKeepsTheFrame) {
  DrawingFixture f(2);
  f.FillBoard();
  f.drawing.DrawBoard();
  const Pixels before = Snapshot(*f.picture);
  f.drawing.MarkCell(5, 4, Mark::Hint);
  const CellRect r = CellRectangle(f.Layout(), 5, 4);
  for (int y = r.Top - 1; y <= r.Bottom; ++y) {
    for (int x = r.Left - 1; x <= r.Right; ++x) {
      const std::uint8_t old = before[static_cast<std::size_t>(y * BoardPicture::kWidth + x)];
      const bool inside = x > r.Left && x < r.Right - 1 && y > r.Top && y < r.Bottom - 1;
      ASSERT_EQ(f.picture->Pixel(x, y), inside && Hatched(x, y) ? 15 - old : old) << x << ", " << y;
    }
  }
}

TEST(MarkCell, MarksCombineAndTheSameMarkAgainRestoresThePictureBitForBit) {
  constexpr Mark P = Mark::Pick, H = Mark::Hint;
  const std::vector<std::vector<Mark>> sequences = {
      {P, P}, {H, H}, {P, H, P, H}, {P, H, H, P}, {H, P, P, H}, {H, P, H, P},
  };
  for (const std::vector<Mark>& kinds : sequences) {
    DrawingFixture f(3);
    f.FillBoard();
    f.drawing.DrawBoard();
    const Pixels before = Snapshot(*f.picture);
    for (std::size_t i = 0; i < kinds.size(); ++i) {
      f.drawing.MarkCell(7, 5, kinds[i]);
      if (kinds.size() == 4 && i == 1) {
        // Half way through a combined sequence both marks are on: the frame is inverted once,
        // the inside inverted once off the hatch and twice (so as it was) under it.
        const CellRect r = CellRectangle(f.Layout(), 7, 5);
        for (int y = r.Top; y < r.Bottom; ++y) {
          for (int x = r.Left; x < r.Right; ++x) {
            const bool frame = x == r.Left || x == r.Right - 1 || y == r.Top || y == r.Bottom - 1;
            const std::uint8_t old = before[static_cast<std::size_t>(y * 640 + x)];
            ASSERT_EQ(f.picture->Pixel(x, y), !frame && Hatched(x, y) ? old : 15 - old)
                << "both marks on, pixel " << x << ", " << y;
          }
        }
      }
    }
    EXPECT_EQ(Differences(Snapshot(*f.picture), before), std::vector<std::string>{})
        << "sequence of " << kinds.size() << " marks starting with "
        << (kinds.front() == P ? "a pick" : "a hint");
  }
}

// ---------------------------------------------------------------------------------------------
// DrawLink

struct Box {
  int Left, Top, Right, Bottom;  // inclusive
};

struct LinkCase {
  const char* Name;
  int Difficulty;
  int X1, Y1, X2, Y2;
  int Kind, Corner1X, Corner1Y, Corner2X, Corner2Y;
  std::vector<Box> Yellow;  // every yellow pixel; the rest stays black
};
void PrintTo(const LinkCase& c, std::ostream* out) {
  *out << c.Name;
}

class DrawLinkTest : public ::testing::TestWithParam<LinkCase> {};

// A width-4 segment along the centre line (x1, y1) - (x2, y2) covers two pixels before and
// one after it across the line, and as much beyond both ends.
Box Segment(int x1, int y1, int x2, int y2) {
  return {std::min(x1, x2) - 2, std::min(y1, y2) - 2, std::max(x1, x2) + 1, std::max(y1, y2) + 1};
}

TEST_P(DrawLinkTest, DrawsExactlyThePathThroughTheCentres) {
  const LinkCase& c = GetParam();
  DrawingFixture f(c.Difficulty);
  const Link link{static_cast<LinkShape>(c.Kind), {c.Corner1X, c.Corner1Y}, {c.Corner2X, c.Corner2Y}};
  f.drawing.DrawLink(c.X1, c.Y1, c.X2, c.Y2, link);
  int wrong = 0;
  for (int y = 0; y < BoardPicture::kHeight; ++y) {
    for (int x = 0; x < BoardPicture::kWidth; ++x) {
      bool yellow = false;
      for (const Box& b : c.Yellow) {
        yellow = yellow || (x >= b.Left && x <= b.Right && y >= b.Top && y <= b.Bottom);
      }
      if (f.picture->Pixel(x, y) != (yellow ? kYellow : kBlack) && ++wrong <= 5) {
        ADD_FAILURE() << c.Name << ": pixel " << x << ", " << y << " is "
                      << int{f.picture->Pixel(x, y)};
      }
    }
  }
  EXPECT_EQ(wrong, 0) << c.Name;
}

INSTANTIATE_TEST_SUITE_P(
    Paths, DrawLinkTest,
    ::testing::Values(
        // Easy centres: (60 + 40 x, 75 + 50 y); hard: (20 + 40 x, 35 + 50 y).
        LinkCase{
            "straight, 40 pixels", 1, 1, 1, 2, 1, 1, 1, 1, 2, 1, {Segment(100, 125, 140, 125)}},
        LinkCase{
            "straight, 50 pixels", 1, 1, 2, 1, 1, 1, 1, 2, 1, 1, {Segment(100, 175, 100, 125)}},
        LinkCase{"straight across the field",
                 1,
                 3,
                 2,
                 3,
                 6,
                 1,
                 3,
                 2,
                 3,
                 6,
                 {Segment(180, 175, 180, 375)}},
        LinkCase{"one corner",
                 1,
                 3,
                 2,
                 6,
                 5,
                 2,
                 6,
                 2,
                 0,
                 0,
                 {Segment(180, 175, 300, 175), Segment(300, 175, 300, 325)}},
        LinkCase{
            "U through the top ring",
            1,
            4,
            1,
            9,
            1,
            3,
            4,
            0,
            9,
            0,
            {Segment(220, 125, 220, 75), Segment(220, 75, 420, 75), Segment(420, 75, 420, 125)}},
        LinkCase{
            "U through the left ring",
            1,
            1,
            2,
            1,
            6,
            3,
            0,
            2,
            0,
            6,
            {Segment(100, 175, 60, 175), Segment(60, 175, 60, 375), Segment(60, 375, 100, 375)}},
        LinkCase{"U through the right ring of hard",
                 3,
                 14,
                 2,
                 14,
                 6,
                 3,
                 15,
                 2,
                 15,
                 6,
                 {Segment(580, 135, 620, 135), Segment(620, 135, 620, 335),
                  Segment(620, 335, 580, 335)}},
        LinkCase{"U through the bottom ring of hard",
                 3,
                 2,
                 9,
                 6,
                 9,
                 3,
                 2,
                 10,
                 6,
                 10,
                 {Segment(100, 485, 100, 535), Segment(100, 535, 260, 535),
                  Segment(260, 535, 260, 485)}}),
    [](const ::testing::TestParamInfo<LinkCase>& info) {
      std::string name = info.param.Name;
      for (char& ch : name) {
        if (!std::isalnum(static_cast<unsigned char>(ch))) ch = '_';
      }
      return name;
    });

TEST(DrawLink, DrawsThePathTheLinkFinderFound) {
  DrawingFixture f(1);
  f.FillBoard();
  f.game.SetCell(9, 1, f.game.At(4, 1));
  const auto link = f.game.FindLink(4, 1, 9, 1);  // both in the top row of a full board
  ASSERT_TRUE(link);
  f.drawing.DrawLink(4, 1, 9, 1, *link);
  for (const Box& b :
       {Segment(220, 125, 220, 75), Segment(220, 75, 420, 75), Segment(420, 75, 420, 125)}) {
    for (int y = b.Top; y <= b.Bottom; ++y) {
      for (int x = b.Left; x <= b.Right; ++x) ASSERT_EQ(f.picture->Pixel(x, y), kYellow);
    }
  }
}

TEST(DrawLink, APathLeavingThePictureIsClippedAtItsEdge) {
  DrawingFixture f(1);
  f.drawing.DrawLink(1, 1, 1000000, 1, Link{LinkShape::Straight, {1, 1}, {1000000, 1}});
  for (int x = 0; x < BoardPicture::kWidth; ++x) {
    EXPECT_EQ(f.picture->Pixel(x, 124), x >= 98 ? kYellow : kBlack) << x;
    EXPECT_EQ(f.picture->Pixel(x, 127), kBlack) << x;
  }
}

TEST(BoardPicture, ASlantedLineIsDrawnOnceUnderEveryPixelInXor) {
  // Not a link, but the pen must not flip a pixel back where its steps overlap.
  BoardPicture picture;
  picture.penMode = PenMode::Xor;
  picture.penColor = kWhite;
  picture.penWidth = 4;
  picture.Line(10, 10, 200, 100);
  for (int x = 10; x <= 200; ++x) {
    const int y = 10 + ((x - 10) * 90 + 95) / 190;
    ASSERT_EQ(picture.Pixel(x, y), kWhite) << x << ", " << y;
  }
}

// ---------------------------------------------------------------------------------------------
// Repaint and texts

TEST(BoardPicture, EveryDrawingOperationRaisesTheVersion) {
  struct Case {
    const char* Name;
    std::function<void(DrawingFixture&)> Draw;
  };
  const Case cases[] = {
      {"DrawBoard", [](DrawingFixture& f) { f.drawing.DrawBoard(); }},
      {"pick", [](DrawingFixture& f) { f.drawing.MarkCell(2, 2, Mark::Pick); }},
      {"hint", [](DrawingFixture& f) { f.drawing.MarkCell(2, 2, Mark::Hint); }},
      {"link",
       [](DrawingFixture& f) {
         f.drawing.DrawLink(1, 1, 2, 1, Link{LinkShape::Straight, {1, 1}, {2, 1}});
       }},
  };
  for (const Case& c : cases) {
    DrawingFixture f(1);
    f.FillBoard();
    f.drawing.DrawBoard();
    // The second of two identical marks restores the pixels, but they changed: the window
    // must still repaint.
    for (int round = 0; round < 2; ++round) {
      const std::uint64_t before = f.picture->Version();
      c.Draw(f);
      EXPECT_GT(f.picture->Version(), before) << c.Name << ", round " << round;
    }
  }
}

TEST(LevelText, StageNumberAndName) {
  const std::pair<int, const char*> cases[] = {
      {1, "第1关：不变化"}, {4, "第4关：上下分离"}, {9, "第9关：左右集中"}, {0, "第0关："}};
  for (const auto& [stage, text] : cases) EXPECT_EQ(LevelText(stage), text) << stage;
}

TEST(ScoreText, DecimalWithoutGrouping) {
  const std::pair<int, const char*> cases[] = {
      {0, "0"}, {50, "50"}, {1234550, "1234550"}, {-50, "-50"}, {INT_MIN, "-2147483648"}};
  for (const auto& [score, text] : cases) EXPECT_EQ(ScoreText(score), text) << score;
}

}  // namespace
}  // namespace quenlow::testing
