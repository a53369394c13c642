// A whole board as the player sees it, compared with a reference picture a person has looked
// at, at 1 x and as a screen at 200 % gets it. QUENLOW_UPDATE_GOLDEN=1 writes the references
// anew; on a mismatch the test writes what it drew and a picture of the differences into the
// folder its failure message names.

#include <gtest/gtest.h>

#include <QDir>
#include <QImage>
#include <cstdlib>
#include <iostream>
#include <optional>
#include <string>

#include "PictureFixture.h"
#include "ui/qt/ArtTiles.h"
#include "ui/qt/PictureImage.h"

namespace quenlow::testing {
namespace {

// board.png at 1 x, board-2x.png at 2 x.
QString Reference(int scale) {
  return scale == 1 ? QStringLiteral(QUENLOW_GOLDEN_DIR "/board.png")
                    : QStringLiteral(QUENLOW_GOLDEN_DIR "/board-%1x.png").arg(scale);
}

QString OutputFolder() {
  const char* chosen = std::getenv("QUENLOW_GOLDEN_OUT");
  return chosen != nullptr && *chosen != '\0' ? QString::fromLocal8Bit(chosen)
                                              : QStringLiteral(QUENLOW_GOLDEN_OUT);
}

// Unchanged pixels dimmed to a quarter, changed ones in full magenta.
QImage DifferenceImage(const QImage& expected, const QImage& actual) {
  QImage diff(actual.size(), QImage::Format_RGB32);
  for (int y = 0; y < actual.height(); ++y) {
    for (int x = 0; x < actual.width(); ++x) {
      const QRgb a = actual.pixel(x, y);
      const bool same = expected.valid(x, y) && expected.pixel(x, y) == a;
      diff.setPixel(x, y,
                    same ? qRgb(qRed(a) / 4, qGreen(a) / 4, qBlue(a) / 4) : qRgb(255, 0, 255));
    }
  }
  return diff;
}

// The first pair, outer cell column by column, that the link finder joins with two corners:
// on a fresh deal that is a path round the outside of the board.
std::optional<LinkedPair> FirstTwoCornerLink(const Game& game) {
  const Board& s = game.Board();
  for (int x1 = 1; x1 <= s.Cols; ++x1) {
    for (int y1 = 1; y1 <= s.Rows; ++y1) {
      for (int x2 = 1; x2 <= s.Cols; ++x2) {
        for (int y2 = 1; y2 <= s.Rows; ++y2) {
          const auto link = game.FindLink(x1, y1, x2, y2);
          if (link && link->Shape == LinkShape::TwoCorners)
            return LinkedPair{{x1, y1, x2, y2}, *link};
        }
      }
    }
  }
  return std::nullopt;
}

class GoldenBoard : public ::testing::TestWithParam<int> {};

TEST_P(GoldenBoard, ADealtBoardWithAPickAHintAndALink) {
  const int scale = GetParam();
  const QString reference = Reference(scale);
  DrawingFixture f(1, LoadTilePictures(scale), scale);
  f.game.ApplyPreset(Difficulty::Easy);
  f.game.DealTiles();
  f.drawing.DrawBoard();
  const std::optional<LinkedPair> found = FirstTwoCornerLink(f.game);
  ASSERT_TRUE(found.has_value()) << "the fixed deal has no two-corner link";
  const CellPair& pair = found->Cells;
  for (const auto& [x, y] : {std::pair{5, 4}, std::pair{8, 4}}) {
    ASSERT_FALSE((x == pair.X1 && y == pair.Y1) || (x == pair.X2 && y == pair.Y2));
  }
  f.drawing.MarkCell(5, 4, Mark::Pick);
  f.drawing.MarkCell(8, 4, Mark::Hint);
  f.drawing.DrawLink(pair.X1, pair.Y1, pair.X2, pair.Y2, found->Link);

  const QImage actual = PictureImage(*f.picture).copy();
  const char* update = std::getenv("QUENLOW_UPDATE_GOLDEN");
  if (update != nullptr && std::string(update) == "1") {
    ASSERT_TRUE(QDir().mkpath(QUENLOW_GOLDEN_DIR));
    ASSERT_TRUE(actual.save(reference, "PNG")) << reference.toStdString();
    std::cout << "wrote " << reference.toStdString() << "\n";
    return;
  }

  const QImage expected = QImage(reference).convertToFormat(QImage::Format_RGB32);
  const QImage drawn = actual.convertToFormat(QImage::Format_RGB32);
  int different = 0;
  if (expected.size() != drawn.size()) {
    different = drawn.width() * drawn.height();
  } else {
    for (int y = 0; y < drawn.height(); ++y) {
      for (int x = 0; x < drawn.width(); ++x)
        different += expected.pixel(x, y) != drawn.pixel(x, y);
    }
  }
  if (different == 0) return;

  const QString folder = OutputFolder();
  QDir().mkpath(folder);
  const QString name = QStringLiteral("/board-%1x-").arg(scale);
  actual.save(folder + name + "actual.png", "PNG");
  DifferenceImage(expected, drawn).save(folder + name + "difference.png", "PNG");
  FAIL() << different << " pixels differ from " << reference.toStdString()
         << (expected.isNull() ? " (missing or unreadable)" : "") << "; the drawn board and the"
         << " differences are in " << folder.toStdString()
         << " (run with QUENLOW_UPDATE_GOLDEN=1 to accept the drawn board)";
}

INSTANTIATE_TEST_SUITE_P(Scales, GoldenBoard, ::testing::Values(1, 2),
                         [](const auto& info) { return std::to_string(info.param) + "x"; });

}  // namespace
}  // namespace quenlow::testing
