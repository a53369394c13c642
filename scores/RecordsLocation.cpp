#include "scores/RecordsLocation.h"

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "scores/ProgramPath.h"
#include "scores/Records.h"

#ifndef QUENLOW_INSTALL_MARK
#error "the build says where the install mark lies, relative to the program's folder"
#endif

namespace quenlow {
namespace {

bool IsAbsolute(const char* path) {
  return path != nullptr && path[0] == '/';
}

bool IsRegularFile(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

bool IsInstalled(const RecordsSetting& setting) {
  const std::size_t slash = setting.programFile.rfind('/');
  if (slash == std::string::npos || setting.installMark.empty()) return false;
  return IsRegularFile(setting.programFile.substr(0, slash + 1) + setting.installMark);
}

std::string AccountHome() {
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
      found == nullptr || !IsAbsolute(found->pw_dir)) {
    return {};
  }
  return found->pw_dir;
}

}  // namespace

RecordsLocation RecordsLocationFor(const RecordsSetting& setting) {
  const std::string besideProgram = ScoreFilePathFor(setting.programFile);
  if (!IsInstalled(setting)) return {besideProgram, false};
  // The data folder of the XDG base directories; a relative $XDG_DATA_HOME is to be ignored.
  std::string dataHome;
  if (IsAbsolute(setting.xdgDataHome) && setting.xdgDataHome[1] != '\0') {
    dataHome = setting.xdgDataHome;
  } else if (!setting.homeFolder.empty()) {
    dataHome = setting.homeFolder + "/.local/share";
  } else {
    // No home to keep records in: the save beside the program is refused and says where.
    return {besideProgram, false};
  }
  while (dataHome.size() > 1 && dataHome.back() == '/') dataHome.pop_back();
  return {dataHome + "/quenlow/score.ini", true};
}

RecordsLocation RecordsLocationOfThisProgram() {
  const char* home = std::getenv("HOME");
  return RecordsLocationFor({ProgramFile(), QUENLOW_INSTALL_MARK, std::getenv("XDG_DATA_HOME"),
                             IsAbsolute(home) ? std::string(home) : AccountHome()});
}

void MakeFolderOf(const std::string& file) {
  // Every folder on the way down, the existing ones skipped.
  for (std::size_t slash = file.find('/', 1); slash != std::string::npos;
       slash = file.find('/', slash + 1)) {
    const std::string folder = file.substr(0, slash);
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return;
  }
}

}  // namespace quenlow
