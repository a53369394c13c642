#pragma once
// A game, a board picture and tile pictures for the drawing tests. The tile pictures are
// synthetic: every pixel depends on the kind and on its place, so a tile copied to the wrong
// cell, shifted by a pixel or taken for another kind shows.

#include <memory>

#include "game/Game.h"
#include "ui/BoardDrawing.h"
#include "ui/BoardPicture.h"

namespace quenlow::testing {

// Always the same sequence, whatever the seed asked for.
class FixedRandom final : public RandomSource {
 public:
  void Reseed() override { state_ = 12345; }
  int Draw(int n) override {
    state_ = state_ * 1103515245u + 12345u;
    return static_cast<int>((state_ >> 16) % static_cast<unsigned>(n - 1)) + 1;
  }

 private:
  unsigned state_ = 12345;
};

inline IndexedImage SyntheticTile(int kind, int width = 40, int height = 50) {
  IndexedImage tile{width, height, {}};
  tile.Pixels.resize(static_cast<std::size_t>(width * height));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      tile.Pixels[static_cast<std::size_t>(y * width + x)] =
          static_cast<std::uint8_t>((x + 3 * y + kind) % 16);
    }
  }
  // Kinds 16 apart would otherwise look alike.
  tile.Pixels[1] = static_cast<std::uint8_t>(kind / 16);
  return tile;
}

inline TilePictures SyntheticTiles() {
  TilePictures tiles;
  for (int kind = 0; kind < static_cast<int>(tiles.size()); ++kind) {
    tiles[static_cast<std::size_t>(kind)] = SyntheticTile(kind);
  }
  return tiles;
}

struct DrawingFixture {
  explicit DrawingFixture(int difficulty = 1, TilePictures tilePictures = SyntheticTiles(),
                          int scale = 1)
      : picture(std::make_unique<BoardPicture>(scale)), tiles(std::move(tilePictures)) {
    game.ApplyPreset(static_cast<Difficulty>(difficulty));
  }

  // Every field cell holds a tile, kinds running on from column to column.
  void FillBoard() {
    const Board& s = game.Board();
    for (int x = 1; x <= s.Cols; ++x) {
      for (int y = 1; y <= s.Rows; ++y)
        game.SetCell(x, y, ((x - 1) * s.Rows + y - 1) % game.Rules().Kinds + 1);
    }
  }

  BoardLayout Layout() const { return drawing.Layout(); }

  FixedRandom random;
  Game game{random};
  // On the heap, so that the sanitizer sees a stray write far outside the pixels.
  std::unique_ptr<BoardPicture> picture;
  TilePictures tiles;
  BoardDrawing drawing{game, *picture, tiles};
};

}  // namespace quenlow::testing
