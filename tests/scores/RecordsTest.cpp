// The three records: loading, saving one, resetting all, the failure rules, and where the
// score file lies.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "scores/Records.h"
#include "scores/RecordsLocation.h"
#include "tests/scores/FileFixture.h"

namespace quenlow {
namespace {

using testing::ReadBytes;
using testing::ReplaceHookGuard;
using testing::TempFolder;
using testing::WriteBytes;

const std::string kThreeRecords =
    "[easy]\r\nname=Ann\r\nscore=150\r\n"
    "[normal]\r\nname=Bo\r\nscore=2000\r\n"
    "[hard]\r\nname=Cy\r\nscore=-7\r\n";

void ExpectRecords(const Records& records, const std::array<std::string, 4>& names,
                   const std::array<std::int32_t, 4>& scores) {
  for (int d = 1; d <= 3; ++d) {
    EXPECT_EQ(records.BestName[d], names[d]) << "difficulty " << d;
    EXPECT_EQ(records.BestScore[d], scores[d]) << "difficulty " << d;
  }
}

TEST(Records, FirstStartWithoutAFileGivesEmptyRecordsAndCreatesNothing) {
  TempFolder folder;
  Records records(folder.File("score.ini"));
  records.BestName[2] = "stale";
  records.BestScore[2] = 99;
  records.LoadRecords();
  ExpectRecords(records, {"", "", "", ""}, {0, 0, 0, 0});
  EXPECT_TRUE(folder.Entries().empty());
}

TEST(Records, LoadTakesEachValueFromItsOwnSection) {
  TempFolder folder;
  const std::string path = folder.File("score.ini");
  // Order carries no meaning; a bad score reads as 0 and a missing name as empty.
  WriteBytes(path,
             "[hard]\nscore=0x10\nname=Cy\n[normal]\nscore=abc\n[easy]\nscore=5\n"
             "name=\xBC\xF2\xB5\xA5\xBC\xB6\n");
  Records records(path);
  records.LoadRecords();
  ExpectRecords(records, {"", "简单级", "", "Cy"}, {0, 5, 0, 16});
}

TEST(Records, ThreeRecordsSurviveARoundTripThroughTheFile) {
  TempFolder folder;
  const std::string path = folder.File("score.ini");
  {
    Records records(path);
    records.LoadRecords();
    records.BestName = {"", "Ann", "Bo", "Cy"};
    records.BestScore = {0, 150, 2000, -7};
    for (int d = 1; d <= 3; ++d) records.SaveRecord(d);
  }
  EXPECT_EQ(ReadBytes(path), kThreeRecords);
  Records later(path);
  later.LoadRecords();
  ExpectRecords(later, {"", "Ann", "Bo", "Cy"}, {0, 150, 2000, -7});
}

TEST(Records, SaveWritesTheNameThenTheScoreAndTouchesNoOtherSection) {
  TempFolder folder;
  const std::string path = folder.File("score.ini");
  const std::string others = "[hard]\nscore = 9 \n; note\n[normal]\n  name=x\n";
  WriteBytes(path, others);
  std::vector<std::string> saves;
  ReplaceHookGuard hook(
      [&](const std::string& temporary) { saves.push_back(*ReadBytes(temporary)); });
  Records records(path);
  records.BestName[1] = "Ann";
  records.BestScore[1] = 300;
  records.SaveRecord(1);
  EXPECT_EQ(saves, (std::vector<std::string>{others + "[easy]\r\nname=Ann\r\n",
                                             others + "[easy]\r\nname=Ann\r\nscore=300\r\n"}));
  EXPECT_EQ(ReadBytes(path), saves.back());
}

TEST(Records, CancelledNameEntryIsStoredAsAnEmptyName) {
  TempFolder folder;
  const std::string path = folder.File("score.ini");
  WriteBytes(path, kThreeRecords);
  Records records(path);
  records.LoadRecords();
  records.BestName[2] = "";
  records.BestScore[2] = 2050;
  records.SaveRecord(2);
  EXPECT_EQ(ReadBytes(path),
            "[easy]\r\nname=Ann\r\nscore=150\r\n"
            "[normal]\r\nname=\r\nscore=2050\r\n"
            "[hard]\r\nname=Cy\r\nscore=-7\r\n");
  Records nextStart(path);
  nextStart.LoadRecords();
  ExpectRecords(nextStart, {"", "Ann", "", "Cy"}, {0, 150, 2050, -7});
}

TEST(Records, ResetClearsTheThreeRecordsAndKeepsEverythingElse) {
  TempFolder folder;
  const std::string path = folder.File("score.ini");
  WriteBytes(path,
             "; Quenlow\r\n[options]\r\nsound=on\r\n"
             "[easy]\r\nname=Ann\r\nextra=1\r\nscore=150\r\n"
             "[normal]\r\nscore=2000\r\n"
             "[hard]\r\nname=Cy\r\n");
  Records records(path);
  records.LoadRecords();
  records.ResetRecords();
  EXPECT_EQ(ReadBytes(path),
            "; Quenlow\r\n[options]\r\nsound=on\r\n"
            "[easy]\r\nname=\r\nextra=1\r\nscore=0\r\n"
            "[normal]\r\nscore=0\r\nname=\r\n"
            "[hard]\r\nname=\r\nscore=0\r\n");
  ExpectRecords(records, {"", "", "", ""}, {0, 0, 0, 0});
}

TEST(Records, ResetOfAMissingFileWritesThreeEmptySections) {
  TempFolder folder;
  const std::string path = folder.File("score.ini");
  Records records(path);
  records.BestName[3] = "only in memory";
  records.BestScore[3] = 400;
  records.ResetRecords();
  EXPECT_EQ(ReadBytes(path),
            "[easy]\r\nname=\r\nscore=0\r\n"
            "[normal]\r\nname=\r\nscore=0\r\n"
            "[hard]\r\nname=\r\nscore=0\r\n");
  ExpectRecords(records, {"", "", "", ""}, {0, 0, 0, 0});
}

// A hook that refuses the n-th write from now on, as the system would.
class RefuseWrite {
 public:
  RefuseWrite(int n, std::string path) : n_(n), path_(std::move(path)) {}
  void operator()(const std::string& temporary) {
    if (++count_ == n_) {
      std::filesystem::remove(temporary);
      throw WriteError("Unable to write to " + path_);
    }
  }

 private:
  int n_;
  std::string path_;
  int count_ = 0;
};

TEST(Records, ResetWritesNamesThenScoresAndStopsAtARefusedWriteWithoutReloading) {
  // The file after each of the six writes of a reset, in their order.
  const std::string afterWrites[] = {
      kThreeRecords,
      "[easy]\r\nname=\r\nscore=150\r\n[normal]\r\nname=Bo\r\nscore=2000\r\n"
      "[hard]\r\nname=Cy\r\nscore=-7\r\n",
      "[easy]\r\nname=\r\nscore=150\r\n[normal]\r\nname=\r\nscore=2000\r\n"
      "[hard]\r\nname=Cy\r\nscore=-7\r\n",
      "[easy]\r\nname=\r\nscore=150\r\n[normal]\r\nname=\r\nscore=2000\r\n"
      "[hard]\r\nname=\r\nscore=-7\r\n",
      "[easy]\r\nname=\r\nscore=0\r\n[normal]\r\nname=\r\nscore=2000\r\n"
      "[hard]\r\nname=\r\nscore=-7\r\n",
      "[easy]\r\nname=\r\nscore=0\r\n[normal]\r\nname=\r\nscore=0\r\n"
      "[hard]\r\nname=\r\nscore=-7\r\n",
  };
  for (int refused = 1; refused <= 6; ++refused) {
    TempFolder folder;
    const std::string path = folder.File("score.ini");
    WriteBytes(path, kThreeRecords);
    Records records(path);
    records.LoadRecords();
    // Memory that differs from the file shows whether the reset read the file back.
    records.BestName[1] = "memory";
    records.BestScore[3] = 12345;
    ReplaceHookGuard hook(RefuseWrite(refused, path));
    EXPECT_THROW(records.ResetRecords(), WriteError) << "write " << refused;
    EXPECT_EQ(ReadBytes(path), afterWrites[refused - 1]) << "write " << refused;
    ExpectRecords(records, {"", "memory", "Bo", "Cy"}, {0, 150, 2000, 12345});
  }
}

TEST(Records, RefusedNameWriteLeavesTheScoreUnwrittenAndTheRecordInMemory) {
  struct Case {
    int refusedWrite;
    std::string file;
  };
  const Case cases[] = {
      {1, kThreeRecords},
      {2,
       "[easy]\r\nname=Ann\r\nscore=150\r\n[normal]\r\nname=Dee\r\nscore=2000\r\n"
       "[hard]\r\nname=Cy\r\nscore=-7\r\n"},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    const std::string path = folder.File("score.ini");
    WriteBytes(path, kThreeRecords);
    Records records(path);
    records.LoadRecords();
    records.BestName[2] = "Dee";
    records.BestScore[2] = 2050;
    ReplaceHookGuard hook(RefuseWrite(c.refusedWrite, path));
    EXPECT_THROW(records.SaveRecord(2), WriteError);
    EXPECT_EQ(ReadBytes(path), c.file) << "write " << c.refusedWrite;
    ExpectRecords(records, {"", "Ann", "Dee", "Cy"}, {0, 150, 2050, -7});
  }
}

TEST(Records, ReadOnlyScoreFileFailsSaveAndResetWithThePath) {
  TempFolder folder;
  const std::string path = folder.File("score.ini");
  WriteBytes(path, kThreeRecords);
  ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
  Records records(path);
  records.LoadRecords();
  records.BestName[1] = "New";
  records.BestScore[1] = 500;
  for (const auto& operation : {std::function<void()>([&] { records.SaveRecord(1); }),
                                std::function<void()>([&] { records.ResetRecords(); })}) {
    try {
      operation();
      ADD_FAILURE() << "the write went through";
    } catch (const WriteError& error) {
      EXPECT_STREQ(error.what(), ("Unable to write to " + path).c_str());
    }
    EXPECT_EQ(ReadBytes(path), kThreeRecords);
    ExpectRecords(records, {"", "New", "Bo", "Cy"}, {0, 500, 2000, -7});
  }
}

TEST(Records, OnlyTheThreeDifficultiesHaveRecords) {
  TempFolder folder;
  Records records(folder.File("score.ini"));
  for (const int d : {0, 4, -1}) EXPECT_THROW(records.SaveRecord(d), std::out_of_range) << d;
  EXPECT_TRUE(folder.Entries().empty());
}

TEST(ScoreFilePath, IsTheProgramFolderWithItsSeparatorAndTheFileName) {
  struct Case {
    const char* program;
    const char* expected;
  };
  for (const Case c :
       {Case{"/opt/quenlow/quenlow", "/opt/quenlow/score.ini"}, Case{"/quenlow", "/score.ini"},
        Case{"/home/a b/游戏/quenlow.bin", "/home/a b/游戏/score.ini"},
        Case{"/srv/game.d/./bin/quenlow", "/srv/game.d/./bin/score.ini"},
        Case{"/opt/quenlow/", "/opt/quenlow/score.ini"}, Case{"quenlow", "score.ini"}}) {
    EXPECT_EQ(ScoreFilePathFor(c.program), c.expected) << c.program;
  }
}

TEST(ScoreFilePath, FollowsTheProgramFileNotTheWorkingDirectory) {
  TempFolder elsewhere;
  const std::filesystem::path before = std::filesystem::current_path();
  std::filesystem::current_path(elsewhere.Path());
  // The test program carries no install mark, so its records lie beside it.
  const RecordsLocation location = RecordsLocationOfThisProgram();
  const std::string path = location.scoreFile;
  std::filesystem::current_path(before);
  EXPECT_FALSE(location.perUser);
  const std::filesystem::path expected =
      std::filesystem::canonical(QUENLOW_TEST_BINARY_DIR) / "score.ini";
  EXPECT_EQ(std::filesystem::path(path), expected);
}

}  // namespace
}  // namespace quenlow
