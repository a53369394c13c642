// Score files that no game wrote: garbage, NUL bytes, bytes that are no GBK, a huge file, one
// huge line. Loading never fails, and a later save still keeps every other byte.

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "scores/Records.h"
#include "tests/scores/FileFixture.h"

namespace quenlow {
namespace {

using namespace std::string_literals;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

// Random bytes of every value except "[", so that no section can come of them.
std::string Garbage(std::size_t size, unsigned seed) {
  std::mt19937 random(seed);
  std::string bytes(size, '\0');
  for (char& b : bytes) {
    b = static_cast<char>(random() & 0xFF);
    if (b == '[') b = ']';
  }
  return bytes;
}

struct BadFile {
  std::string text;
  std::array<std::string, 4> names;
  std::array<std::int32_t, 4> scores;
};

struct BadFileCase {
  const char* label;
  // The big files are made only when their test runs.
  BadFile (*make)();
};

void PrintTo(const BadFileCase& c, std::ostream* os) {
  *os << c.label;
}

class BadScoreFile : public ::testing::TestWithParam<BadFileCase> {};

TEST_P(BadScoreFile, LoadsWhatIsReadableAndASaveKeepsTheRest) {
  const BadFile c = GetParam().make();
  TempFolder folder;
  const std::string path = folder.File("score.ini");
  WriteBytes(path, c.text);
  Records records(path);
  records.LoadRecords();
  for (int d = 1; d <= 3; ++d) {
    EXPECT_EQ(records.BestName[d], c.names[d]) << "difficulty " << d;
    EXPECT_EQ(records.BestScore[d], c.scores[d]) << "difficulty " << d;
  }
  // None of these files holds a [normal] section: the save appends one and keeps the rest.
  records.BestName[2] = "Zed";
  records.BestScore[2] = 700;
  records.SaveRecord(2);
  const bool ended = c.text.empty() || c.text.back() == '\n' || c.text.back() == '\r';
  const std::string expected =
      c.text + (ended ? "" : "\r\n") + "[normal]\r\nname=Zed\r\nscore=700\r\n";
  const std::optional<std::string> after = ReadBytes(path);
  ASSERT_TRUE(after.has_value());
  EXPECT_EQ(after->size(), expected.size());
  EXPECT_TRUE(*after == expected) << "the file changed beyond the new section";
  Records reloaded(path);
  reloaded.LoadRecords();
  EXPECT_EQ(reloaded.BestName[2], "Zed");
  EXPECT_EQ(reloaded.BestScore[2], 700);
}

INSTANTIATE_TEST_SUITE_P(
    Files, BadScoreFile,
    ::testing::Values(
        BadFileCase{"Empty",
                    [] {
                      return BadFile{"", {}, {}};
                    }},
        BadFileCase{"BinaryGarbage",
                    [] {
                      return BadFile{Garbage(64 * 1024, 1), {}, {}};
                    }},
        BadFileCase{"GarbageAfterRecords",
                    [] {
                      return BadFile{"[easy]\r\nname=Ann\r\nscore=9\r\n" + Garbage(4096, 2),
                                     {"", "Ann", "", ""},
                                     {0, 9, 0, 0}};
                    }},
        BadFileCase{
            "NulBytes",
            [] {
              return BadFile{
                  "\0\0[easy]\r\n[easy]\r\nname=A\0B\r\nscore=\0 12\r\n[ha\0rd]\r\nscore=1\0"s,
                  {"", "A\0B"s, "", ""},
                  {0, 0, 0, 0}};
            }},
        BadFileCase{"NotGbk",
                    [] {
                      return BadFile{
                          "[easy]\r\nname=\x81\xFF\x80 \xFE\r\n[\xFF\xFE]\r\nscore=1\r\n",
                          {"", "\uFFFD\uFFFD \uFFFD", "", ""},
                          {}};
                    }},
        BadFileCase{"OneLineWithoutBreak",
                    [] {
                      return BadFile{std::string(3u * 1024 * 1024, 'q'), {}, {}};
                    }},
        BadFileCase{"TenMegabyteLines",
                    [] {
                      // A name far beyond the read buffer, and a line that is nothing but "=".
                      return BadFile{"[easy]\r\nname=" + std::string(10u * 1024 * 1024, 'x') +
                                         "\r\nscore=5\r\n[hard]\r\n" +
                                         std::string(10u * 1024 * 1024, '=') + "\r\nscore=6",
                                     {"", std::string(2047, 'x'), "", ""},
                                     {0, 5, 0, 6}};
                    }},
        BadFileCase{"FiftyMegabytes",
                    [] {
                      // The records come last, so every read goes through the whole file.
                      std::string text = "[junk]\r\n";
                      const std::string line = "k=" + std::string(98, 'v') + "\r\n";
                      text.reserve(51u * 1024 * 1024);
                      while (text.size() < 50u * 1024 * 1024) text += line;
                      text += "[easy]\r\nname=Ann\r\nscore=150\r\n[hard]\r\nscore=3";
                      return BadFile{text, {"", "Ann", "", ""}, {0, 150, 0, 3}};
                    }}),
    [](const ::testing::TestParamInfo<BadFileCase>& info) {
      return std::string(info.param.label);
    });

}  // namespace
}  // namespace quenlow
