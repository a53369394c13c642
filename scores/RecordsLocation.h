#pragma once
// Where the records of this copy of the game live. A copy that was installed (by the Debian
// package or `cmake --install`) finds the install mark, a file the install puts into the
// game's data folder, at a fixed path relative to the program's folder; the records then live
// in each player's own data folder, since the program's folder belongs to root. Any other copy
// (the build folder, a program copied somewhere) keeps score.ini beside the program.

#include <string>

namespace quenlow {

struct RecordsLocation {
  std::string scoreFile;
  // True for the per-user file: its folder may not exist yet and is made at the first save.
  bool perUser = false;
};

// What the choice depends on, so that it can be made for any program and any environment.
struct RecordsSetting {
  std::string programFile;  // full path of the program file ("" when unknown)
  std::string installMark;  // the mark's path relative to the program's folder
  const char* xdgDataHome;  // $XDG_DATA_HOME, or null when unset
  std::string homeFolder;   // the player's home folder ("" when unknown)
};

RecordsLocation RecordsLocationFor(const RecordsSetting& setting);

// The location for the running program, the environment and the install mark it was built
// with. The home folder is $HOME when that is an absolute path, else the account's entry.
RecordsLocation RecordsLocationOfThisProgram();

// Makes the folder that holds the file, and any missing folder above it, for the owner only.
// Failures are left to the write that follows, which reports the file's path.
void MakeFolderOf(const std::string& file);

}  // namespace quenlow
