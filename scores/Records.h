#pragma once
// The best score and name of each difficulty, kept in "score.ini" beside the program.

#include <array>
#include <cstdint>
#include <string>
#include <utility>

#include "scores/IniFile.h"

namespace quenlow {

class Records {
 public:
  explicit Records(std::string scoreFilePath) : ScoreFile(std::move(scoreFilePath)) {}

  // Indexed by difficulty 1..3; index 0 is unused. Names are UTF-8 text; the file keeps them
  // as GB18030 bytes (NameText.h).
  std::array<std::string, 4> BestName;
  std::array<std::int32_t, 4> BestScore{};
  IniFile ScoreFile;
  // Set for a score file in the player's data folder: the folder is made before each write.
  bool MakesFolder = false;

  // Reads the six values, names of easy, normal, hard, then their scores; each goes into
  // memory at once. Missing values give an empty name and a score of 0. Writes nothing.
  void LoadRecords();
  // Writes the name of the difficulty (1..3), then its score. Throws WriteError when a write
  // is refused (a refused name leaves the score unwritten), std::out_of_range for another d.
  void SaveRecord(int difficulty);
  // Writes the three empty names, then the three scores 0, then reloads. Throws WriteError
  // when a write is refused: the records in memory then keep their values.
  void ResetRecords();
};

// The score file beside a program file: its directory, with the trailing separator, plus
// "score.ini"; a bare "score.ini" when the path names no directory (the system could not name
// the program file).
std::string ScoreFilePathFor(const std::string& programFile);

}  // namespace quenlow
