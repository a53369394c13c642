#pragma once
// Where the deal and the shuffle get their chance from.

#include <random>

namespace quenlow {

class RandomSource {
 public:
  virtual ~RandomSource() = default;
  // Called at the start of every deal and every shuffle.
  virtual void Reseed() = 0;
  // A whole number drawn uniformly from 1 to n - 1 (n >= 2).
  virtual int Draw(int n) = 0;
};

// The game's own source: re-seeded from the clock every time it is asked to.
class ClockRandom final : public RandomSource {
 public:
  void Reseed() override;
  int Draw(int n) override;

 private:
  std::mt19937 engine_;
};

}  // namespace quenlow
