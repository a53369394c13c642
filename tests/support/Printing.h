#pragma once
// How the game's own values read in a failed test's message.

#include <ostream>

#include "game/GameState.h"
#include "game/Link.h"

namespace quenlow {

inline std::ostream& operator<<(std::ostream& out, Difficulty difficulty) {
  return out << "difficulty " << static_cast<int>(difficulty);
}

inline std::ostream& operator<<(std::ostream& out, const Link& link) {
  return out << "shape " << static_cast<int>(link.Shape) << " via (" << link.Corner1.X << ", "
             << link.Corner1.Y << ") and (" << link.Corner2.X << ", " << link.Corner2.Y << ")";
}

inline std::ostream& operator<<(std::ostream& out, const CellPair& pair) {
  return out << "(" << pair.X1 << ", " << pair.Y1 << ") with (" << pair.X2 << ", " << pair.Y2
             << ")";
}

}  // namespace quenlow
