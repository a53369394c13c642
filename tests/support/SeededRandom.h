#pragma once
// A reproducible random source for tests and benchmarks.

#include <random>

#include "game/Random.h"

namespace quenlow::testing {

// Re-seeding does not restart it: every deal of one source differs, every run is the same.
class SeededRandom final : public RandomSource {
 public:
  explicit SeededRandom(unsigned seed) : engine(seed) {}
  void Reseed() override {}
  int Draw(int n) override {
    return n < 2 ? 1 : std::uniform_int_distribution<int>(1, n - 1)(engine);
  }
  std::mt19937 engine;
};

}  // namespace quenlow::testing
