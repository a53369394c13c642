// How a save reaches the disk: refused writes fail with the path and change nothing, the file
// keeps its permissions, and a crash before the new file is in place leaves the old one whole.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <csignal>
#include <string>

#include "scores/IniFile.h"
#include "tests/scores/FileFixture.h"

namespace quenlow {
namespace {

using testing::ModeOf;
using testing::ReadBytes;
using testing::ReplaceHookGuard;
using testing::TempFolder;
using testing::WriteBytes;

const std::string kOld = "[easy]\r\nname=Old\r\nscore=10\r\n; keep me\r\n";

// Runs a write that must be refused and checks the error's text.
void ExpectRefused(IniFile& file) {
  try {
    file.WriteString("easy", "name", "New");
    ADD_FAILURE() << "the write to " << file.Path() << " went through";
  } catch (const WriteError& error) {
    EXPECT_STREQ(error.what(), ("Unable to write to " + file.Path()).c_str());
  }
}

TEST(IniSaveRefused, FileWithoutAnyWritePermissionIsReadOnlyForEveryone) {
  // Also for the superuser, as the read-only attribute is on Windows.
  for (const mode_t mode : {0444, 0400, 0555, 0000}) {
    TempFolder folder;
    const std::string path = folder.File("score.ini");
    WriteBytes(path, kOld);
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    IniFile file(path);
    ExpectRefused(file);
    EXPECT_THROW(file.WriteInteger("hard", "score", 5), WriteError);
    EXPECT_EQ(ModeOf(path), mode);
    ASSERT_EQ(::chmod(path.c_str(), 0600), 0);
    EXPECT_EQ(ReadBytes(path), kOld) << std::oct << mode;
    EXPECT_EQ(folder.Entries(), std::set<std::string>{"score.ini"});
  }
}

TEST(IniSaveRefused, MissingFolderOrAFolderInPlaceOfTheFile) {
  TempFolder folder;
  ASSERT_EQ(::mkdir(folder.File("score.ini").c_str(), 0755), 0);
  WriteBytes(folder.File("plain"), "x");
  for (const std::string& path : {folder.File("missing/score.ini"), folder.File("score.ini"),
                                  folder.File("plain/score.ini"), folder.File("score.ini/")}) {
    IniFile file(path);
    ExpectRefused(file);
  }
  EXPECT_EQ(folder.Entries(), (std::set<std::string>{"plain", "score.ini"}));
  EXPECT_TRUE(std::filesystem::is_empty(folder.File("score.ini")));
}

TEST(IniSaveRefused, ReadOnlyFolder) {
  if (::geteuid() == 0)
    GTEST_SKIP() << "running as the superuser, whom the system lets write into a read-only "
                    "folder; this case is checked only for other users";
  TempFolder folder;
  const std::string path = folder.File("score.ini");
  WriteBytes(path, kOld);
  ASSERT_EQ(::chmod(folder.Path().c_str(), 0555), 0);
  IniFile existing(path);
  ExpectRefused(existing);
  IniFile fresh(folder.File("other.ini"));
  ExpectRefused(fresh);
  ASSERT_EQ(::chmod(folder.Path().c_str(), 0755), 0);
  EXPECT_EQ(ReadBytes(path), kOld);
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"score.ini"});
}

TEST(IniSave, KeepsThePermissionsOfTheFile) {
  for (const mode_t mode : {0600, 0640, 0664, 0604, 0622}) {
    TempFolder folder;
    const std::string path = folder.File("score.ini");
    WriteBytes(path, kOld);
    ASSERT_EQ(::chmod(path.c_str(), mode), 0);
    IniFile(path).WriteString("easy", "name", "New");
    EXPECT_EQ(ModeOf(path), mode) << std::oct << mode;
  }
}

TEST(IniSave, NewFileGetsTheUsualModeOfNewFiles) {
  TempFolder folder;
  const mode_t previous = ::umask(027);
  IniFile(folder.File("score.ini")).WriteString("easy", "name", "New");
  ::umask(previous);
  EXPECT_EQ(ModeOf(folder.File("score.ini")), 0640);
}

TEST(IniSave, ThroughASymbolicLinkKeepsTheLink) {
  TempFolder folder;
  ASSERT_EQ(::mkdir(folder.File("real").c_str(), 0755), 0);
  WriteBytes(folder.File("real/target.ini"), kOld);
  ASSERT_EQ(::symlink("real/target.ini", folder.File("score.ini").c_str()), 0);
  IniFile file(folder.File("score.ini"));
  file.WriteString("easy", "name", "New");
  EXPECT_TRUE(std::filesystem::is_symlink(folder.File("score.ini")));
  EXPECT_EQ(ReadBytes(folder.File("real/target.ini")),
            "[easy]\r\nname=New\r\nscore=10\r\n; keep me\r\n");
  EXPECT_EQ(file.ReadString("easy", "name", ""), "New");
}

TEST(IniSaveRefused, FullDiskLeavesTheOldFileAndNoTemporaryFile) {
  TempFolder folder;
  const std::string path = folder.File("score.ini");
  const std::string big = kOld + "[padding]\r\nk=" + std::string(8000, 'p') + "\r\n";
  WriteBytes(path, big);
  IniFile file(path);
  // A file size limit makes the system refuse the write part of the way through, as a full
  // disk would.
  struct rlimit before {};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  struct rlimit small = before;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  bool refused = false;
  try {
    file.WriteString("easy", "name", "New");
  } catch (const WriteError& error) {
    refused = std::string(error.what()) == "Unable to write to " + path;
  }
  ::setrlimit(RLIMIT_FSIZE, &before);
  std::signal(SIGXFSZ, previousHandler);
  EXPECT_TRUE(refused);
  EXPECT_EQ(ReadBytes(path), big);
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"score.ini"});
}

struct SimulatedCrash {};

TEST(IniSave, CrashBeforeTheRenameLeavesTheOldFileWhole) {
  TempFolder folder;
  const std::string path = folder.File("score.ini");
  WriteBytes(path, kOld);
  IniFile file(path);
  std::string temporaryPath;
  {
    ReplaceHookGuard hook([&](const std::string& temporary) {
      temporaryPath = temporary;
      throw SimulatedCrash{};
    });
    EXPECT_THROW(file.WriteString("easy", "name", "New"), SimulatedCrash);
  }
  EXPECT_EQ(ReadBytes(path), kOld);
  // The crash came after the new content was whole, beside the score file.
  ASSERT_FALSE(temporaryPath.empty());
  EXPECT_EQ(std::filesystem::path(temporaryPath).parent_path(), folder.Path());
  EXPECT_EQ(ReadBytes(temporaryPath), "[easy]\r\nname=New\r\nscore=10\r\n; keep me\r\n");

  // The leftover confuses neither the next reads nor the next writes.
  EXPECT_EQ(file.ReadString("easy", "name", ""), "Old");
  file.WriteInteger("easy", "score", 20);
  file.WriteString("easy", "name", "Next");
  EXPECT_EQ(ReadBytes(path), "[easy]\r\nname=Next\r\nscore=20\r\n; keep me\r\n");
  EXPECT_EQ(folder.Entries().size(), 2u);
}

TEST(IniSave, TheNewContentIsCompleteBeforeItReplacesTheOldFile) {
  TempFolder folder;
  const std::string path = folder.File("score.ini");
  WriteBytes(path, kOld);
  ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
  std::optional<std::string> seenOld;
  std::optional<std::string> seenNew;
  mode_t seenMode = 0;
  {
    ReplaceHookGuard hook([&](const std::string& temporary) {
      seenOld = ReadBytes(path);
      seenNew = ReadBytes(temporary);
      seenMode = ModeOf(temporary);
    });
    IniFile(path).WriteString("normal", "name", "Ann");
  }
  const std::string expected = kOld + "[normal]\r\nname=Ann\r\n";
  EXPECT_EQ(seenOld, kOld);
  EXPECT_EQ(seenNew, expected);
  EXPECT_EQ(seenMode, 0640u);
  EXPECT_EQ(ReadBytes(path), expected);
}

}  // namespace
}  // namespace quenlow
