#pragma once
// The link search and the pair scan written out step by step as the rules state them, with
// none of the engine's shortcuts: the yardstick the engine's own FindLink and pair scan are
// checked and measured against.

#include <optional>

#include "game/Game.h"

namespace quenlow::testing {

// The nine steps in their order: the same kind, not the same cell, straight, one corner on
// the first cell's row, one corner on its column, then a middle column leftwards and
// rightwards from the second cell's, then a middle row upwards and downwards from the first
// cell's. Unlike FindLink it also links from an empty first cell.
std::optional<Link> LiteralFindLink(const Game& game, int x1, int y1, int x2, int y2);

// Every ordered pair of field cells, first cell column by column, then second cell likewise.
std::optional<LinkedPair> LiteralScan(const Game& game);

}  // namespace quenlow::testing
