#include "game/Game.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <limits>
#include <unordered_map>

namespace quenlow {

namespace {

// A score that has run for an absurdly long time sticks at the top instead of wrapping
// round to a negative number.
std::int32_t AddPoints(std::int32_t score, std::int32_t points) {
  const std::int64_t sum = static_cast<std::int64_t>(score) + points;
  return static_cast<std::int32_t>(std::clamp<std::int64_t>(
      sum, std::numeric_limits<std::int32_t>::min(), std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

void Game::SetCell(int x, int y, TileKind kind) {
  if (quenlow::Board::InGrid(x, y)) board_(x, y) = kind;
}

void Game::LayField(int cols, int rows, int stage) {
  board_ = {};
  board_.Cols = std::clamp(cols, 0, kMaxFieldCols);
  board_.Rows = std::clamp(rows, 0, kMaxFieldRows);
  state_.Stage = stage;
  state_.Remaining = 0;
}

void Game::CountTiles() {
  state_.Remaining = 0;
  for (int x = 1; x <= board_.Cols; ++x)
    for (int y = 1; y <= board_.Rows; ++y) state_.Remaining += At(x, y) != 0;
}

// ---------------------------------------------------------------------------------------
// Presets and dealing

void Game::ApplyPreset(Difficulty difficulty) {
  if (difficulty == Difficulty::None) return;  // no such preset: keep the game as it is
  const Preset p = PresetOf(difficulty);
  state_.Difficulty = difficulty;
  state_.Stage = 1;
  state_.Score = 0;
  state_.Remaining = p.Cols * p.Rows;
  board_.Cols = p.Cols;
  board_.Rows = p.Rows;
}

void Game::DealTiles(int kinds) {
  const int cols = board_.Cols;
  const int rows = board_.Rows;

  // The field and its ring only: a bigger earlier game may leave tiles further out, and
  // At keeps them out of play.
  for (int x = 0; x <= cols + 1; ++x)
    for (int y = 0; y <= rows + 1; ++y) SetCell(x, y, 0);

  TileKind k = 0;
  for (int x = 1; x <= cols; ++x)
    for (int y = 1; y <= rows; ++y) {
      ++k;
      SetCell(x, y, k);
      if (k == kinds) k = 0;
    }

  random_.Reseed();
  for (int x = 1; x <= cols; ++x)
    for (int y = 1; y <= rows; ++y) {
      const int tx = random_.Draw(cols);
      const int ty = random_.Draw(rows);
      // A source that strays out of range must not move tiles out of the field.
      if (InField(tx, ty)) std::swap(Cell(x, y), Cell(tx, ty));
    }
}

// ---------------------------------------------------------------------------------------
// Taking pairs away and clearing stages

void Game::TakePair(const CellPair& pair, int points) {
  SetCell(pair.X1, pair.Y1, 0);
  SetCell(pair.X2, pair.Y2, 0);
  state_.Remaining -= 2;
  state_.Score = AddPoints(state_.Score, points);
}

void Game::NextStage() {
  state_.Stage = state_.Stage == 9 ? 1 : state_.Stage + 1;
  state_.Remaining = board_.Cols * board_.Rows;
  DealTiles();
}

// ---------------------------------------------------------------------------------------
// Pair scan and shuffle

std::optional<LinkedPair> Game::FindFirstPair() const {
  const int cols = board_.Cols;
  const int rows = board_.Rows;

  // Any cell of another kind, empty ones included, has no link at once, so each first cell
  // need only be tried against the tiles of its own kind. Only those after it, too: a
  // partner earlier in the order would have linked as the first cell of its own turn.
  //
  // The tiles of a kind are gathered while the first tile of the kind is tried against them,
  // not up front: most boards in play link early, and the scan then has read no more of the
  // board than the plain double loop would have.
  struct KindTiles {
    int begin = -1;  // into `later`: the kind's tiles after its first one, in scan order
    int end = -1;
    int next = -1;  // the first of them that is still ahead of the scan
  };
  std::array<KindTiles, 27> letters;                       // 1..26, the kinds a deal hands out
  std::unordered_map<TileKind, KindTiles> otherKinds;      // whatever else a board may hold
  std::array<std::uint16_t, kGridCols * kGridRows> later;  // grid indices; each tile once
  int used = 0;

  const auto& cells = board_.Cells;
  for (int x = 1; x <= cols; ++x)
    for (int y = 1; y <= rows; ++y) {
      const TileKind kind = cells[x * kGridRows + y];
      if (kind == 0) continue;
      KindTiles& tiles = kind >= 1 && kind <= 26 ? letters[kind] : otherKinds[kind];
      if (tiles.begin < 0) {
        // The first of its kind: gather the rest of the kind as it is tried. Nothing else is
        // gathered meanwhile, so the kind's tiles stay together in `later`.
        tiles.begin = tiles.next = used;
        for (int x2 = x, y2 = y + 1; x2 <= cols; ++x2, y2 = 1)
          for (; y2 <= rows; ++y2) {
            const int at = x2 * kGridRows + y2;
            if (cells[at] != kind) continue;
            later[used++] = static_cast<std::uint16_t>(at);
            if (auto link = FindLink(x, y, x2, y2)) return LinkedPair{{x, y, x2, y2}, *link};
          }
        tiles.end = used;
        continue;
      }
      ++tiles.next;  // this very tile, which the kind's earlier tiles had ahead of them
      for (int i = tiles.next; i < tiles.end; ++i) {
        const int x2 = later[i] / kGridRows, y2 = later[i] % kGridRows;
        if (auto link = FindLink(x, y, x2, y2)) return LinkedPair{{x, y, x2, y2}, *link};
      }
    }
  return std::nullopt;
}

void Game::ShuffleBoard() {
  random_.Reseed();
  const int cols = board_.Cols;
  const int rows = board_.Rows;
  for (int x = 1; x <= cols; ++x)
    for (int y = 1; y <= rows; ++y) {
      if (At(x, y) == 0) continue;
      const int tx = random_.Draw(cols);
      const int ty = random_.Draw(rows);
      // Tiles only trade places with tiles, so the occupied cells stay the same.
      if (InField(tx, ty) && At(tx, ty) != 0) std::swap(Cell(x, y), Cell(tx, ty));
    }
}

}  // namespace quenlow
