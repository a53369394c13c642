#include "scores/Records.h"

#include <stdexcept>

#include "scores/NameText.h"
#include "scores/RecordsLocation.h"

namespace quenlow {
namespace {

const char* const kSections[4] = {nullptr, "easy", "normal", "hard"};

const char* SectionOf(int difficulty) {
  if (difficulty < 1 || difficulty > 3) throw std::out_of_range("difficulty must be 1, 2 or 3");
  return kSections[difficulty];
}

}  // namespace

void Records::LoadRecords() {
  for (int d = 1; d <= 3; ++d) {
    BestName[d] = NameFromFileBytes(ScoreFile.ReadString(kSections[d], "name", ""));
  }
  for (int d = 1; d <= 3; ++d) BestScore[d] = ScoreFile.ReadInteger(kSections[d], "score", 0);
}

void Records::SaveRecord(int difficulty) {
  const char* section = SectionOf(difficulty);
  if (MakesFolder) MakeFolderOf(ScoreFile.Path());
  // Two separate writes, the name first: when it is refused, the score is not written either.
  ScoreFile.WriteString(section, "name", NameToFileBytes(BestName[difficulty]));
  ScoreFile.WriteInteger(section, "score", BestScore[difficulty]);
}

void Records::ResetRecords() {
  if (MakesFolder) MakeFolderOf(ScoreFile.Path());
  for (int d = 1; d <= 3; ++d) ScoreFile.WriteString(kSections[d], "name", "");
  for (int d = 1; d <= 3; ++d) ScoreFile.WriteInteger(kSections[d], "score", 0);
  // Only a reset that went through reloads: the records then show whatever the file holds.
  LoadRecords();
}

std::string ScoreFilePathFor(const std::string& programFile) {
  const std::size_t slash = programFile.rfind('/');
  const std::string directory =
      slash == std::string::npos ? std::string() : programFile.substr(0, slash + 1);
  return directory + "score.ini";
}

}  // namespace quenlow
