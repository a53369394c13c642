// Writing values in place: the one line that changes, where new keys and sections go, and
// that every other byte of the file stays as it was.

#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>

#include "scores/IniFile.h"
#include "tests/scores/FileFixture.h"

namespace quenlow {
namespace {

using namespace std::string_literals;
using testing::ReadBytes;
using testing::TempFolder;
using testing::WriteBytes;

struct WriteCase {
  const char* label;
  std::optional<std::string> before;  // nothing: there is no file yet
  const char* section;
  const char* key;
  std::string value;
  std::string after;
};

void PrintTo(const WriteCase& c, std::ostream* os) {
  *os << c.label;
}

class IniWriteString : public ::testing::TestWithParam<WriteCase> {};

TEST_P(IniWriteString, ChangesOnlyWhatTheWriteNeeds) {
  const WriteCase& c = GetParam();
  TempFolder folder;
  const std::string path = folder.File("score.ini");
  if (c.before) WriteBytes(path, *c.before);
  IniFile file(path);
  file.WriteString(c.section, c.key, c.value);
  EXPECT_EQ(ReadBytes(path), c.after);
  // The temporary file of the save is gone.
  EXPECT_EQ(folder.Entries(), std::set<std::string>{"score.ini"});
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniWriteString,
    ::testing::Values(
        WriteCase{"CreatesMissingFile", std::nullopt, "easy", "name", "Bob",
                  "[easy]\r\nname=Bob\r\n"},
        WriteCase{"FillsEmptyFile", "", "easy", "name", "Bob", "[easy]\r\nname=Bob\r\n"},
        WriteCase{"ReplacesKeepingKeySpellingAndOtherLines",
                  "; scores\n[Easy]\n  NAME = old \nscore=1\n", "easy", "name", "new",
                  "; scores\n[Easy]\nNAME=new\r\nscore=1\n"},
        WriteCase{"ReplacesInFirstSectionOnly", "[a]\r\nk=1\r\n[a]\r\nk=2\r\n", "a", "k", "9",
                  "[a]\r\nk=9\r\n[a]\r\nk=2\r\n"},
        WriteCase{"ReplacesFirstKeyOnly", "[a]\r\nk=1\r\nk=2\r\n", "a", "k", "9",
                  "[a]\r\nk=9\r\nk=2\r\n"},
        WriteCase{"ReplacesCrOnlyLine", "[a]\rk=1\rx=2\r", "a", "k", "9", "[a]\rk=9\r\nx=2\r"},
        WriteCase{"ReplacesLastLineWithoutBreak", "[a]\r\nk=1", "a", "k", "9", "[a]\r\nk=9\r\n"},
        WriteCase{"AddsKeyAfterLastKeyLine", "[a]\r\nx=1\r\ny=2\r\n; note\r\n\r\n[b]\r\nz=3\r\n",
                  "a", "k", "v", "[a]\r\nx=1\r\ny=2\r\nk=v\r\n; note\r\n\r\n[b]\r\nz=3\r\n"},
        WriteCase{"AddsKeyBeforeOtherLines", "[a]\r\nx=1\r\njunk\r\ny\r\n", "a", "k", "v",
                  "[a]\r\nx=1\r\nk=v\r\njunk\r\ny\r\n"},
        WriteCase{"AddsKeyRightAfterSectionLineWithoutKeys", "[a]\r\n;k=1\r\n\r\n[b]\r\n", "a", "k",
                  "v", "[a]\r\nk=v\r\n;k=1\r\n\r\n[b]\r\n"},
        WriteCase{"AddsKeyAfterSectionLineAtEndWithoutBreak", "[x]\r\n[a]", "a", "k", "v",
                  "[x]\r\n[a]\r\nk=v\r\n"},
        WriteCase{"AddsKeyAfterKeyLineAtEndWithoutBreak", "[a]\r\nx=1", "a", "k", "v",
                  "[a]\r\nx=1\r\nk=v\r\n"},
        WriteCase{"AddsKeyToFirstOfTwoSections", "[a]\r\nx=1\r\n[a]\r\n", "A", "k", "v",
                  "[a]\r\nx=1\r\nk=v\r\n[a]\r\n"},
        WriteCase{"ReplacesEmptyKey", "[a]\r\n = 1\r\n", "a", "", "2", "[a]\r\n=2\r\n"},
        WriteCase{"IgnoresKeysBeforeFirstSection", "k=1\r\n[a]\r\n", "a", "k", "v",
                  "k=1\r\n[a]\r\nk=v\r\n"},
        WriteCase{"AppendsSectionWithoutBlankLine", "[a]\r\nx=1\r\n", "b", "k", "v",
                  "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
        WriteCase{"AppendsSectionAfterMissingBreak", "[a]\r\nx=1", "b", "k", "v",
                  "[a]\r\nx=1\r\n[b]\r\nk=v\r\n"},
        WriteCase{"AppendsSectionAfterLfFile", "[a]\nx=1\n", "b", "k", "v",
                  "[a]\nx=1\n[b]\r\nk=v\r\n"},
        WriteCase{"AppendsSectionAfterCrFile", "[a]\rx=1\r", "b", "k", "v",
                  "[a]\rx=1\r[b]\r\nk=v\r\n"},
        WriteCase{"AppendsSectionAfterComment", "; only a comment", "b", "k", "v",
                  "; only a comment\r\n[b]\r\nk=v\r\n"},
        WriteCase{"KeepsByteOrderMark", "\xEF\xBB\xBF[a]\r\nk=1\r\n", "a", "k", "2",
                  "\xEF\xBB\xBF[a]\r\nk=2\r\n"},
        WriteCase{"AppendsAfterLoneByteOrderMark", "\xEF\xBB\xBF", "a", "k", "v",
                  "\xEF\xBB\xBF[a]\r\nk=v\r\n"},
        WriteCase{"WritesEmptyValueAsKeyAndEquals", "[a]\r\nk=Bob\r\n", "a", "k", "",
                  "[a]\r\nk=\r\n"},
        WriteCase{"LineBreaksInValueBecomeBlanks", "[a]\r\nk=1\r\nx=2\r\n", "a", "k",
                  "a\r\n[b]\nc\rd", "[a]\r\nk=a  [b] c d\r\nx=2\r\n"},
        WriteCase{"KeepsOtherBytesExactly", "[a]\r\nk=1\r\n[b]\r\n\tweird \"line\"\0\xFF\r\n"s, "a",
                  "k", "2", "[a]\r\nk=2\r\n[b]\r\n\tweird \"line\"\0\xFF\r\n"s},
        WriteCase{"ValueBytesAsGiven", "[a]\r\n", "a", "k", "\xBC\xF2 \"q\" =;[x]\0"s,
                  "[a]\r\nk=\xBC\xF2 \"q\" =;[x]\0\r\n"s}),
    [](const ::testing::TestParamInfo<WriteCase>& info) { return std::string(info.param.label); });

TEST(IniWriteInteger, WritesPlainDecimalThatReadsBack) {
  struct Case {
    std::int32_t value;
    const char* line;
  };
  for (const Case c : {Case{0, "score=0"}, Case{-5, "score=-5"}, Case{100, "score=100"},
                       Case{INT32_MAX, "score=2147483647"}, Case{INT32_MIN, "score=-2147483648"}}) {
    TempFolder folder;
    const std::string path = folder.File("score.ini");
    WriteBytes(path, "[hard]\r\nscore=0x7\r\n");
    IniFile file(path);
    file.WriteInteger("hard", "score", c.value);
    EXPECT_EQ(ReadBytes(path), "[hard]\r\n"s + c.line + "\r\n");
    EXPECT_EQ(file.ReadInteger("hard", "score", 1), c.value);
  }
}

TEST(IniWriteString, WrittenValuesReadBackAsTheFileShowsThem) {
  struct Case {
    std::string written;
    std::string read;
  };
  const Case cases[] = {
      {"Bob", "Bob"},
      {"", ""},
      {"\xBC\xF2\xB5\xA5\xBC\xB6", "\xBC\xF2\xB5\xA5\xBC\xB6"},
      {"a=b;c", "a=b;c"},
      // As on Windows, the reader trims blanks and takes one pair of quotes off.
      {"  padded  ", "padded"},
      {"\"quoted\"", "quoted"},
      {"line\r\nbreak", "line  break"},
  };
  TempFolder folder;
  IniFile file(folder.File("score.ini"));
  for (const Case& c : cases) {
    file.WriteString("easy", "name", c.written);
    EXPECT_EQ(file.ReadString("easy", "name", "dflt"), c.read);
    // A later key of the same write lands in the same section and reads back too.
    file.WriteString("easy", "other", c.written);
    EXPECT_EQ(file.ReadString("easy", "other", "dflt"), c.read);
  }
}

TEST(IniWriteNames, ThatCouldNotBeFoundAgainAreRejectedBeforeAnythingIsWritten) {
  TempFolder folder;
  const std::string path = folder.File("score.ini");
  IniFile file(path);
  for (const char* key : {"a=b", ";key", "[key", "a\nb"})
    EXPECT_THROW(file.WriteString("easy", key, "v"), std::invalid_argument) << key;
  for (const char* section : {"a]b", "a\rb"})
    EXPECT_THROW(file.WriteString(section, "k", "v"), std::invalid_argument) << section;
  EXPECT_TRUE(folder.Entries().empty());
}

}  // namespace
}  // namespace quenlow
