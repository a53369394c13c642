// Where an installed and a portable copy keep the records, and the per-user folder that the
// first save makes.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <optional>
#include <string>

#include "scores/Records.h"
#include "scores/RecordsLocation.h"
#include "tests/scores/FileFixture.h"

namespace quenlow {
namespace {

using testing::ModeOf;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

constexpr const char* kMark = "../share/quenlow/installed";

// A copy of the game under <folder>/usr/games, installed or not.
struct GameTree {
  explicit GameTree(bool installed) {
    std::filesystem::create_directories(folder.File("usr/games"));
    WriteBytes(program, "");
    if (installed) {
      std::filesystem::create_directories(folder.File("usr/share/quenlow"));
      WriteBytes(folder.File("usr/share/quenlow/installed"), "");
    }
  }
  TempFolder folder;
  std::string program = folder.File("usr/games/quenlow");
};

TEST(RecordsLocation, InstalledCopiesUseThePlayersDataFolderAndOthersTheProgramFolder) {
  struct Case {
    const char* what;
    bool installed;
    std::optional<std::string> xdgDataHome;
    std::string home;
    const char* expectedBelowFolder;  // "" for a path outside the tree, given by `expected`
    std::string expected;
    bool perUser;
  };
  const Case cases[] = {
      {"portable, variable set", false, "/data", "/home/ann", "usr/games/score.ini", "", false},
      {"installed, variable set", true, "/data", "/home/ann", "", "/data/quenlow/score.ini", true},
      {"installed, trailing slashes", true, "/data//", "/home/ann", "", "/data/quenlow/score.ini",
       true},
      {"installed, variable unset", true, std::nullopt, "/home/ann", "",
       "/home/ann/.local/share/quenlow/score.ini", true},
      {"installed, variable empty", true, "", "/home/ann", "",
       "/home/ann/.local/share/quenlow/score.ini", true},
      {"installed, variable relative", true, "data", "/home/ann", "",
       "/home/ann/.local/share/quenlow/score.ini", true},
      {"installed, no home at all", true, std::nullopt, "", "usr/games/score.ini", "", false},
  };
  for (const Case& c : cases) {
    GameTree tree(c.installed);
    const RecordsLocation location = RecordsLocationFor(
        {tree.program, kMark, c.xdgDataHome ? c.xdgDataHome->c_str() : nullptr, c.home});
    const std::string expected =
        *c.expectedBelowFolder ? tree.folder.File(c.expectedBelowFolder) : c.expected;
    EXPECT_EQ(location.scoreFile, expected) << c.what;
    EXPECT_EQ(location.perUser, c.perUser) << c.what;
  }
}

TEST(RecordsLocation, OnlyARegularMarkFileBesideTheProgramCountsAsInstalled) {
  // A folder where the mark belongs, a mark for another program folder, an unknown program.
  GameTree folderMark(false);
  std::filesystem::create_directories(folderMark.folder.File("usr/share/quenlow/installed"));
  GameTree copied(true);
  std::filesystem::create_directories(copied.folder.File("home/ann/bin"));
  const std::string copy = copied.folder.File("home/ann/bin/quenlow");
  for (const auto& [program, expected] :
       {std::pair{folderMark.program, folderMark.folder.File("usr/games/score.ini")},
        std::pair{copy, copied.folder.File("home/ann/bin/score.ini")},
        std::pair{std::string(), std::string("score.ini")}}) {
    const RecordsLocation location = RecordsLocationFor({program, kMark, "/data", "/home/ann"});
    EXPECT_EQ(location.scoreFile, expected) << program;
    EXPECT_FALSE(location.perUser) << program;
  }
}

TEST(RecordsLocation, TheFirstSaveMakesTheMissingDataFolderForThePlayerOnly) {
  TempFolder home;
  const std::string file = home.File(".local/share/quenlow/score.ini");
  Records records(file);
  records.MakesFolder = true;
  records.LoadRecords();
  EXPECT_FALSE(std::filesystem::exists(home.File(".local"))) << "loading made a folder";
  records.BestName[1] = "Ann";
  records.BestScore[1] = 150;
  records.SaveRecord(1);
  EXPECT_EQ(ReadBytes(file), "[easy]\r\nname=Ann\r\nscore=150\r\n");
  EXPECT_EQ(ModeOf(home.File(".local/share/quenlow")), 0700u);
  // A reset goes through the same way once the folder is gone again.
  std::filesystem::remove_all(home.File(".local"));
  records.ResetRecords();
  EXPECT_TRUE(ReadBytes(file).has_value());
}

TEST(RecordsLocation, AFolderThatCannotBeMadeRefusesTheSaveWithTheFilesPath) {
  TempFolder home;
  // A file where the data folder should be: no folder can be made below it.
  WriteBytes(home.File(".local"), "in the way");
  const std::string file = home.File(".local/share/quenlow/score.ini");
  Records records(file);
  records.MakesFolder = true;
  records.BestScore[2] = 900;
  std::string message;
  try {
    records.SaveRecord(2);
  } catch (const WriteError& error) {
    message = error.what();
  }
  EXPECT_EQ(message, "Unable to write to " + file);
  EXPECT_EQ(records.BestScore[2], 900);
  EXPECT_EQ(ReadBytes(home.File(".local")), "in the way");
}

TEST(RecordsLocation, ACopyBesideItsProgramNeverMakesFolders) {
  TempFolder folder;
  Records records(folder.File("gone/score.ini"));
  records.BestName[1] = "Ann";
  EXPECT_THROW(records.SaveRecord(1), WriteError);
  EXPECT_FALSE(std::filesystem::exists(folder.File("gone")));
}

}  // namespace
}  // namespace quenlow
