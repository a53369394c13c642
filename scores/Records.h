#pragma once
// The best score and name of each difficulty, kept in "score.ini" beside the program.

#include <array>
#include <cstdint>
#include <string>

#include "scores/IniFile.h"

namespace quenlow {

class Records {
 public:
  explicit Records(std::string scoreFilePath) : ScoreFile(std::move(scoreFilePath)) {}

  // Indexed by difficulty 1..3; index 0 is unused. Names are bytes in code page 936.
  std::array<std::string, 4> BestName;
  std::array<std::int32_t, 4> BestScore{};
  IniFile ScoreFile;

  void LoadRecords();
  void SaveRecord(int difficulty);  // throws WriteError
  void ResetRecords();              // throws WriteError
};

// The directory of the running program file, with its trailing separator, plus "score.ini".
std::string ScoreFilePath();
// The same for a given program file path (what ScoreFilePath uses underneath).
std::string ScoreFilePathFor(const std::string& programFile);

}  // namespace quenlow
