#include "game/Random.h"

#include <chrono>

namespace quenlow {

void ClockRandom::Reseed() {
  // Nanosecond ticks, so that two deals in quick succession still differ.
  const auto ticks = std::chrono::high_resolution_clock::now().time_since_epoch().count();
  std::seed_seq seed{static_cast<unsigned>(ticks), static_cast<unsigned>(ticks >> 32)};
  engine_.seed(seed);
}

int ClockRandom::Draw(int n) {
  // A board of one column or row leaves nothing to draw from; 1 is the only cell.
  if (n < 2) return 1;
  return std::uniform_int_distribution<int>(1, n - 1)(engine_);
}

}  // namespace quenlow
