// Saves records into the score file given on the command line, one after another, through the
// game's own record code, until it is killed. The records follow SaveSequence.h.

#include <cstdio>
#include <exception>

#include "scores/Records.h"
#include "tests/torture/SaveSequence.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <score.ini>\n", argv[0]);
    return 2;
  }
  try {
    quenlow::Records records(argv[1]);
    records.LoadRecords();
    for (long step = 0;; ++step) {
      const int d = quenlow::torture::SaveDifficulty(step);
      const int value = quenlow::torture::SaveValue(step);
      records.BestName[d] = quenlow::torture::SaveName(value).text;
      records.BestScore[d] = quenlow::torture::SaveScore(value);
      records.SaveRecord(d);
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "save failed: %s\n", error.what());
    return 1;
  }
}
