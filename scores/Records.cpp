#include "scores/Records.h"

#include <sys/auxv.h>
#include <unistd.h>

#include <cstdlib>
#include <stdexcept>

#include "scores/RecordsLocation.h"

namespace quenlow {
namespace {

const char* const kSections[4] = {nullptr, "easy", "normal", "hard"};

const char* SectionOf(int difficulty) {
  if (difficulty < 1 || difficulty > 3) throw std::out_of_range("difficulty must be 1, 2 or 3");
  return kSections[difficulty];
}

}  // namespace

std::string ProgramFile() {
  std::string buffer(4096, '\0');
  for (;;) {
    const ssize_t n = ::readlink("/proc/self/exe", buffer.data(), buffer.size());
    if (n < 0) break;
    if (static_cast<std::size_t>(n) < buffer.size()) {
      buffer.resize(static_cast<std::size_t>(n));
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
  // Without /proc the name the program was started by still leads to it.
  const char* started = reinterpret_cast<const char*>(::getauxval(AT_EXECFN));
  if (started == nullptr) return {};
  char* resolved = ::realpath(started, nullptr);
  if (resolved == nullptr) return {};
  std::string result(resolved);
  std::free(resolved);
  return result;
}

void Records::LoadRecords() {
  for (int d = 1; d <= 3; ++d) BestName[d] = ScoreFile.ReadString(kSections[d], "name", "");
  for (int d = 1; d <= 3; ++d) BestScore[d] = ScoreFile.ReadInteger(kSections[d], "score", 0);
}

void Records::SaveRecord(int difficulty) {
  const char* section = SectionOf(difficulty);
  if (MakesFolder) MakeFolderOf(ScoreFile.Path());
  // Two separate writes, the name first: when it is refused, the score is not written either.
  ScoreFile.WriteString(section, "name", BestName[difficulty]);
  ScoreFile.WriteInteger(section, "score", BestScore[difficulty]);
}

void Records::ResetRecords() {
  if (MakesFolder) MakeFolderOf(ScoreFile.Path());
  for (int d = 1; d <= 3; ++d) ScoreFile.WriteString(kSections[d], "name", "");
  for (int d = 1; d <= 3; ++d) ScoreFile.WriteInteger(kSections[d], "score", 0);
  // Only a reset that went through reloads: the records then show whatever the file holds.
  LoadRecords();
}

std::string ScoreFilePath() {
  return ScoreFilePathFor(ProgramFile());
}

std::string ScoreFilePathFor(const std::string& programFile) {
  const std::size_t slash = programFile.rfind('/');
  const std::string directory =
      slash == std::string::npos ? std::string() : programFile.substr(0, slash + 1);
  return directory + "score.ini";
}

}  // namespace quenlow
