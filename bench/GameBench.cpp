// The rules engine under the stopwatch: the link finder, the pair scan against the plain
// double loop, stage shifting and dealing. Each scan case shows the double loop's time over
// ours as the counter literal_over_ours, from the times of this same run.

#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <vector>

#include "bench/Boards.h"
#include "bench/RatioReporter.h"

namespace quenlow::bench {
namespace {

// ---------------------------------------------------------------------------------------
// FindLink

// Every ordered pair of equal tiles on hard boards a third of the way through a stage: the
// pairs a player can click, linked or not.
struct TypicalPairs {
  std::vector<Game> boards;
  std::vector<std::pair<int, CellPair>> pairs;  // board, cells
};

const TypicalPairs& MakeTypicalPairs() {
  static const TypicalPairs typical = [] {
    TypicalPairs t;
    SeededRandom random(7);
    for (int i = 0; i < 8; ++i) {
      auto played = HardStagePlayed(random, 1);
      t.boards.push_back(played[std::min<std::size_t>(played.size() - 1, 21)]);
    }
    for (std::size_t b = 0; b < t.boards.size(); ++b) {
      Game& g = t.boards[b];
      for (int x1 = 1; x1 <= 14; ++x1)
        for (int y1 = 1; y1 <= 9; ++y1)
          for (int x2 = 1; x2 <= 14; ++x2)
            for (int y2 = 1; y2 <= 9; ++y2)
              if ((x1 != x2 || y1 != y2) && g.At(x1, y1) != 0 && g.At(x1, y1) == g.At(x2, y2))
                t.pairs.push_back({static_cast<int>(b), {x1, y1, x2, y2}});
    }
    return t;
  }();
  return typical;
}

void BM_FindLinkTypical(benchmark::State& state) {
  TypicalPairs t = MakeTypicalPairs();
  std::size_t i = 0;
  int linked = 0;
  for (auto _ : state) {
    const auto& [b, p] = t.pairs[i];
    linked += t.boards[b].FindLink(p.X1, p.Y1, p.X2, p.Y2).has_value();
    if (++i == t.pairs.size()) i = 0;
  }
  benchmark::DoNotOptimize(linked);
  state.counters["pairs"] = static_cast<double>(t.pairs.size());
}
BENCHMARK(BM_FindLinkTypical);

// The hard field with the slowest path FindLink can meet: both one-corner paths fail at
// their last cell, every column of the column scan fails at the end of its last segment,
// and the row scan tries every row above and below before it finds the ring row under the
// board.
//
//   row  1:  A . . . . . . . . . . . # #      A = (1, 1), B = (14, 2), same kind
//   row  2:  . . . . . . . . . . . . # B      # = other tiles
//   rows 3-9: . . . . . . . . . . . . # .
//   found:   (1, 1) down to (1, 10), along the ring row to (14, 10), up to (14, 2)
Game SlowestLinkBoard(SeededRandom& random) {
  Game game(random);
  game.ApplyPreset(Difficulty::Hard);
  ClearGrid(game);
  game.SetCell(1, 1, 1);
  game.SetCell(14, 2, 1);
  game.SetCell(14, 1, 2);
  for (int y = 1; y <= 9; ++y) game.SetCell(13, y, 2);
  return game;
}

void BM_FindLinkSlowest(benchmark::State& state) {
  SeededRandom random(1);
  Game game = SlowestLinkBoard(random);
  Require(game.FindLink(1, 1, 14, 2) == Link{LinkShape::TwoCorners, {1, 10}, {14, 10}},
          "the slowest link is not found on the ring row under the board");
  for (auto _ : state) benchmark::DoNotOptimize(game.FindLink(1, 1, 14, 2));
}
BENCHMARK(BM_FindLinkSlowest);

// ---------------------------------------------------------------------------------------
// The pair scan, ours against the double loop, on the same boards

struct ScanCase {
  const char* name;
  std::vector<Game> boards;
};

std::vector<ScanCase>& ScanCases() {
  static std::vector<ScanCase> cases = [] {
    std::vector<ScanCase> c;
    SeededRandom random(2024);
    ScanCase fullHard{"full_hard", {}};
    for (int i = 0; i < 16; ++i) fullHard.boards.push_back(DealtHardBoard(random));
    c.push_back(fullHard);
    c.push_back({"no_pair_hard", {LockedHardBoard(random)}});
    ScanCase played{"hard_in_play", {}};
    for (int stage : {1, 2, 5, 8})
      for (Game& g : HardStagePlayed(random, stage)) played.boards.push_back(g);
    c.push_back(played);
    ScanCase fullLargest{"full_largest", {}};
    for (int i = 0; i < 4; ++i) fullLargest.boards.push_back(DealtBoard(random, 39, 29, 26));
    c.push_back(fullLargest);
    c.push_back({"no_pair_largest", {LockedLargestBoard(random)}});

    // Both scans must agree on every board, or the ratio compares different work.
    for (ScanCase& sc : c)
      for (const Game& g : sc.boards) {
        const auto found = g.FindFirstPair();
        Require(found == LiteralScan(g), std::string(sc.name) + ": the scans disagree");
        if (std::string(sc.name).starts_with("no_pair"))
          Require(!found.has_value(), std::string(sc.name) + " holds a pair");
      }
    return c;
  }();
  return cases;
}

template <bool kOurs>
void BM_Scan(benchmark::State& state, std::size_t caseIndex) {
  std::vector<Game> boards = ScanCases()[caseIndex].boards;
  std::size_t i = 0;
  for (auto _ : state) {
    Game& g = boards[i];
    if constexpr (kOurs)
      benchmark::DoNotOptimize(g.FindFirstPair());
    else
      benchmark::DoNotOptimize(LiteralScan(g));
    if (++i == boards.size()) i = 0;
  }
  state.counters["boards"] = static_cast<double>(boards.size());
}

// ---------------------------------------------------------------------------------------
// ShiftTiles and DealTiles

// Hard boards just after a removal: full dealt boards with one random pair of equal tiles
// emptied. Each round puts the field of every board back untimed and times the shifts only.
void BM_ShiftTiles(benchmark::State& state) {
  const int stage = static_cast<int>(state.range(0));
  SeededRandom random(static_cast<unsigned>(stage));
  std::mt19937 engine(static_cast<unsigned>(stage));
  std::vector<Game> boards;
  for (int i = 0; i < 64; ++i) {
    Game g = DealtHardBoard(random);
    g.SetStage(stage);
    std::uniform_int_distribution<int> col(1, 14), row(1, 9);
    const int x1 = col(engine), y1 = row(engine);
    int x2 = 0, y2 = 0;
    do {
      x2 = col(engine), y2 = row(engine);
    } while ((x2 == x1 && y2 == y1) || g.At(x2, y2) != g.At(x1, y1));
    g.SetCell(x1, y1, 0);
    g.SetCell(x2, y2, 0);
    boards.push_back(g);
  }
  std::vector<Board> prepared;
  for (const Game& g : boards) prepared.push_back(g.Board());

  double seconds = 0;
  for (auto _ : state) {
    for (std::size_t i = 0; i < boards.size(); ++i)
      for (int x = 1; x <= 14; ++x)
        for (int y = 1; y <= 9; ++y) boards[i].SetCell(x, y, prepared[i](x, y));
    const auto start = std::chrono::steady_clock::now();
    for (Game& g : boards) g.ShiftTiles();
    const auto end = std::chrono::steady_clock::now();
    benchmark::ClobberMemory();
    const double elapsed = std::chrono::duration<double>(end - start).count();
    state.SetIterationTime(elapsed);
    seconds += elapsed;
  }
  // The table's time is for all 64 boards; this is one call.
  state.counters["ns_per_shift"] =
      seconds * 1e9 / static_cast<double>(state.iterations() * boards.size());
}
BENCHMARK(BM_ShiftTiles)->DenseRange(1, 9)->UseManualTime()->Unit(benchmark::kMicrosecond);

// A new stage of the hard game: the preset's field cleared, filled and mixed with the
// clock-seeded source the game uses.
void BM_DealTilesHard(benchmark::State& state) {
  ClockRandom random;
  Game game(random);
  game.ApplyPreset(Difficulty::Hard);
  for (auto _ : state) {
    game.DealTiles();
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DealTilesHard);

void BM_DealTilesLargest(benchmark::State& state) {
  ClockRandom random;
  Game game(random);
  EmptyField(game, 39, 29);
  for (auto _ : state) {
    game.DealTiles(26);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_DealTilesLargest);

void RegisterScans() {
  const auto& cases = ScanCases();
  for (std::size_t i = 0; i < cases.size(); ++i) {
    const std::string name = std::string("BM_Scan/") + cases[i].name;
    benchmark::RegisterBenchmark((name + "/literal").c_str(), BM_Scan<false>, i);
    benchmark::RegisterBenchmark((name + "/ours").c_str(), BM_Scan<true>, i);
  }
}

}  // namespace
}  // namespace quenlow::bench

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  quenlow::bench::RegisterScans();
  // Each case of the scan shows, beside our time, how many times longer the double loop took.
  quenlow::bench::RatioReporter reporter("ours", "literal");
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
