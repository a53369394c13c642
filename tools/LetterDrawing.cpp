#include "tools/LetterDrawing.h"

#include <QImage>
#include <QPainter>
#include <QPainterPath>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string_view>
#include <vector>

#include "art/Palette.h"

namespace quenlow::artgen {
namespace {

constexpr double kOutlineSize = 1000;  // the font is read at this pixel size
constexpr int kSamples = 16;           // sub-samples per pixel and axis
constexpr int kFull = kSamples * kSamples;

// Tile letters: the body of short letters, the height of tall ones, the depth of descenders.
constexpr int kShortHeight = 20;
constexpr int kTallHeight = 27;
constexpr int kDescent = 7;
// Letters stand on this line (the row below their last ink row), a little under the middle.
constexpr int kTileBaseline = 37;

// Fraction of a pixel's area covered, 0..kFull, for the pixels of `window`.
struct Coverage {
  QRect window;
  std::vector<int> cover;
  int At(int x, int y) const {
    return cover[(y - window.top()) * window.width() + (x - window.left())];
  }
};

Coverage Rasterise(const QPainterPath& path, const QRect& window) {
  // Drawn without smoothing at kSamples times the size, then every pixel counts its samples:
  // a plain box filter whose result depends on nothing but the outline.
  QImage fine(window.width() * kSamples, window.height() * kSamples, QImage::Format_Grayscale8);
  fine.fill(0);
  {
    QPainter painter(&fine);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(Qt::NoPen);
    painter.setBrush(Qt::white);
    painter.scale(kSamples, kSamples);
    painter.translate(-window.left(), -window.top());
    painter.drawPath(path);
  }
  Coverage result{window, std::vector<int>(window.width() * window.height(), 0)};
  for (int fy = 0; fy < fine.height(); ++fy) {
    const uchar* line = fine.constScanLine(fy);
    int* row = &result.cover[(fy / kSamples) * window.width()];
    for (int fx = 0; fx < fine.width(); ++fx) {
      if (line[fx] != 0) ++row[fx / kSamples];
    }
  }
  return result;
}

// Moves every point of the outline; curves keep their control points in step.
template <typename Map>
QPainterPath MapPath(QPainterPath path, Map map) {
  for (int i = 0; i < path.elementCount(); ++i) {
    const QPainterPath::Element e = path.elementAt(i);
    const QPointF p = map(QPointF(e.x, e.y));
    path.setElementPositionAt(i, p.x(), p.y());
  }
  return path;
}

// Shades of a tile letter by covered area, each to the nearest of the four tile colours
// (white 0, silver 1/4, grey 1/2, black 1 of full darkness).
int TileShade(int cover) {
  if (cover < kFull / 8) return art::kWhite;
  if (cover < kFull * 3 / 8) return art::kSilver;
  if (cover < kFull * 3 / 4) return art::kGrey;
  return art::kBlack;
}

// Penalty for soft edges: zero for pixels wholly on or off, largest for half-covered ones.
long Softness(const Coverage& coverage) {
  long sum = 0;
  for (int c : coverage.cover) sum += long(c) * (kFull - c);
  return sum;
}

// The x coordinate (pixel edges at whole numbers) of the centre of the covered area.
double WeightCentre(const Coverage& coverage) {
  double sum = 0;
  double moment = 0;
  for (int y = coverage.window.top(); y <= coverage.window.bottom(); ++y) {
    for (int x = coverage.window.left(); x <= coverage.window.right(); ++x) {
      sum += coverage.At(x, y);
      moment += coverage.At(x, y) * (x + 0.5);
    }
  }
  return moment / sum;
}

bool IsDescender(char letter) {
  return std::string_view("gjpqy").find(letter) != std::string_view::npos;
}

// Letters that rise to the full height: the ascenders, and i and j with their dots.
bool IsTall(char letter) {
  return std::string_view("bdfhijklt").find(letter) != std::string_view::npos;
}

struct InkBox {
  int left = std::numeric_limits<int>::max();
  int top = std::numeric_limits<int>::max();
  int right = -1;
  int bottom = -1;
};

template <typename IsInk>
InkBox FindInk(const IndexedPicture& picture, IsInk isInk) {
  InkBox box;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 0; x < picture.width; ++x) {
      if (!isInk(picture.At(x, y))) continue;
      box.left = std::min(box.left, x);
      box.right = std::max(box.right, x);
      box.top = std::min(box.top, y);
      box.bottom = std::max(box.bottom, y);
    }
  }
  return box;
}

}  // namespace

bool LetterDrawing::Open(const QString& fontFile) {
  font_ = QRawFont(fontFile, kOutlineSize, QFont::PreferNoHinting);
  if (!font_.isValid()) return false;
  const QList<quint32> x = font_.glyphIndexesForString(QStringLiteral("x"));
  if (x.size() != 1) return false;
  const double xHeight = font_.pathForGlyph(x[0]).boundingRect().height();
  if (!(xHeight > 0)) return false;
  tileScale_ = kShortHeight / xHeight;
  return true;
}

IndexedPicture LetterDrawing::Tile(char letter, int scale, QString& error) const {
  const QList<quint32> glyph = font_.glyphIndexesForString(QString(QChar(letter)));
  const QPainterPath outline = glyph.size() == 1 ? font_.pathForGlyph(glyph[0]) : QPainterPath();
  if (outline.isEmpty()) {
    error = QStringLiteral("the font has no outline for '%1'").arg(letter);
    return {};
  }
  const int width = art::kTileWidth * scale;
  const int height = art::kTileHeight * scale;
  // The outline's y grows downwards from the baseline; its ink spans inkTop (negative) to
  // inkBottom. The body and the descender are scaled apart, so that each letter gets exactly
  // its height above the line and its depth below it, whatever the font's proportions.
  const QRectF ink = outline.boundingRect();
  const bool descender = IsDescender(letter);
  const double letterHeight = IsTall(letter) ? kTallHeight : kShortHeight;
  const double bodyScale = descender ? letterHeight / -ink.top() : letterHeight / ink.height();
  const double descentScale = descender ? kDescent / ink.bottom() : 0;
  const double centreX = ink.center().x();

  // Laid out in the pixels of the 1 x tile, then taken `scale` times; shiftX is in the pixels
  // of the picture drawn.
  const auto draw = [&](double shiftX) {
    return MapPath(outline, [&](QPointF p) {
      double y = 0;
      if (!descender) {
        y = kTileBaseline - (ink.bottom() - p.y()) * bodyScale;
      } else if (p.y() <= 0) {
        y = kTileBaseline + p.y() * bodyScale;
      } else {
        y = kTileBaseline + p.y() * descentScale;
      }
      // From the picture's middle line, between columns 19 and 20 of the 1 x tile.
      const double x = art::kTileWidth / 2.0 + (p.x() - centreX) * tileScale_;
      return QPointF(x * scale + shiftX, y * scale);
    });
  };

  // Centred between the middle of the ink's box and the centre of its weight: letters whose
  // mass leans to one side (k, r, f) would look off-centre by either measure alone.
  const QRect window(0, 0, width, height);
  const double lean = WeightCentre(Rasterise(draw(0), window)) - width / 2.0;

  // A light horizontal hint: of the sub-pixel shifts within half a pixel, take the one that
  // lands the stems most squarely on the pixel grid.
  Coverage best;
  long bestSoftness = std::numeric_limits<long>::max();
  for (int step : {0, -1, 1, -2, 2, -3, 3, -4, 4, -5, 5, -6, 6, -7, 7, -8}) {
    Coverage coverage = Rasterise(draw(-lean / 2 + double(step) / kSamples), window);
    const long softness = Softness(coverage);
    if (softness < bestSoftness) {
      bestSoftness = softness;
      best = std::move(coverage);
    }
  }

  // The frame is one pixel of the 1 x tile: `scale` pixels here.
  const auto inFrame = [&](int x, int y) {
    return x < scale || y < scale || x >= width - scale || y >= height - scale;
  };
  IndexedPicture tile(width, height, art::kBlack);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (!inFrame(x, y)) tile.Set(x, y, TileShade(best.At(x, y)));
    }
  }
  // Anything the frame would have hidden is a letter that does not fit.
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (inFrame(x, y) && TileShade(best.At(x, y)) != art::kWhite) {
        error = QStringLiteral("'%1' runs into the frame").arg(letter);
        return {};
      }
    }
  }

  const int wantTop = (kTileBaseline - int(letterHeight)) * scale;
  const int wantBottom = (kTileBaseline + (descender ? kDescent : 0)) * scale - 1;
  // The frame is black too, so the ink is measured inside it.
  IndexedPicture inner(width - 2 * scale, height - 2 * scale, art::kWhite);
  for (int y = 0; y < inner.height; ++y) {
    for (int x = 0; x < inner.width; ++x) inner.Set(x, y, tile.At(x + scale, y + scale));
  }
  const InkBox letterInk = FindInk(inner, [](int i) { return i != art::kWhite; });
  if (letterInk.top + scale != wantTop || letterInk.bottom + scale != wantBottom) {
    error = QStringLiteral("'%1' at %2 x has ink on rows %3..%4, not %5..%6")
                .arg(letter)
                .arg(scale)
                .arg(letterInk.top + scale)
                .arg(letterInk.bottom + scale)
                .arg(wantTop)
                .arg(wantBottom);
    return {};
  }
  return tile;
}

IndexedPicture LetterDrawing::Pause(int scale, QString& error) const {
  struct Placed {
    QChar letter;
    QRect box;  // exactly the pixels the letter's ink covers, edges included
  };
  // The capital stands 64 rows high; the lower case letters end one row lower, on row 276.
  const Placed word[] = {
      {u'P', QRect(QPoint(208, 212), QPoint(246, 275))},
      {u'a', QRect(QPoint(256, 233), QPoint(294, 276))},
      {u'u', QRect(QPoint(305, 234), QPoint(341, 276))},
      {u's', QRect(QPoint(353, 233), QPoint(387, 276))},
      {u'e', QRect(QPoint(399, 233), QPoint(437, 276))},
  };
  IndexedPicture picture(art::kBoardWidth * scale, art::kBoardHeight * scale, art::kBlack);
  for (const Placed& unscaled : word) {
    // At a scale every pixel of the box becomes a square of scale x scale pixels.
    const Placed placed{unscaled.letter,
                        QRect(unscaled.box.topLeft() * scale, unscaled.box.size() * scale)};
    const QList<quint32> glyph = font_.glyphIndexesForString(QString(placed.letter));
    const QPainterPath outline = glyph.size() == 1 ? font_.pathForGlyph(glyph[0]) : QPainterPath();
    if (outline.isEmpty()) {
      error = QStringLiteral("the font has no outline for '%1'").arg(placed.letter);
      return {};
    }
    // Each letter is scaled into its box, its ink touching all four sides.
    const QRectF ink = outline.boundingRect();
    const QRectF target(placed.box.left(), placed.box.top(), placed.box.width(),
                        placed.box.height());
    const QPainterPath path = MapPath(outline, [&](QPointF p) {
      return QPointF(target.left() + (p.x() - ink.left()) * target.width() / ink.width(),
                     target.top() + (p.y() - ink.top()) * target.height() / ink.height());
    });
    const QRect window = placed.box.adjusted(-2 * scale, -2 * scale, 2 * scale, 2 * scale);
    const Coverage coverage = Rasterise(path, window);
    QRect drawn;
    for (int y = window.top(); y <= window.bottom(); ++y) {
      for (int x = window.left(); x <= window.right(); ++x) {
        // No smoothing: a pixel is the word's when the letter covers at least half of it.
        if (coverage.At(x, y) * 2 < kFull) continue;
        picture.Set(x, y, art::kYellow);
        drawn |= QRect(x, y, 1, 1);
      }
    }
    if (drawn != placed.box) {
      error = QStringLiteral("'%1' fills %2,%3 to %4,%5 instead of its box")
                  .arg(placed.letter)
                  .arg(drawn.left())
                  .arg(drawn.top())
                  .arg(drawn.right())
                  .arg(drawn.bottom());
      return {};
    }
  }
  return picture;
}

}  // namespace quenlow::artgen
