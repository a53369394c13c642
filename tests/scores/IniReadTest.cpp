// Reading values the way the Windows profile functions do: matching, trimming, quotes,
// comments, line ends, the byte-order mark, the read buffer, and integer conversion.

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <climits>
#include <string>

#include "scores/IniFile.h"
#include "tests/scores/FileFixture.h"

namespace quenlow {
namespace {

using namespace std::string_literals;
using testing::TempFolder;
using testing::WriteBytes;

struct ReadCase {
  const char* label;
  std::string text;
  const char* section;
  const char* key;
  std::string expected;
};

// Shown in test names and failures instead of the raw bytes of the case.
void PrintTo(const ReadCase& c, std::ostream* os) {
  *os << c.label;
}

constexpr const char* kFallback = "<fallback>";

class IniReadString : public ::testing::TestWithParam<ReadCase> {};

TEST_P(IniReadString, GivesTheValueThatTheFileHolds) {
  const ReadCase& c = GetParam();
  TempFolder folder;
  const std::string path = folder.File("score.ini");
  WriteBytes(path, c.text);
  EXPECT_EQ(IniFile(path).ReadString(c.section, c.key, kFallback), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Rules, IniReadString,
    ::testing::Values(
        ReadCase{"NamesIgnoreCase", "[EaSy]\r\nNaMe=Bob\r\n", "easy", "NAME", "Bob"},
        ReadCase{"ValueKeepsCase", "[a]\r\nk=MiXeD\r\n", "a", "k", "MiXeD"},
        ReadCase{"BlanksTrimmed", "[ \t easy \t]\r\n \t name \t = \t Bob  \tLee \t\r\n", "easy",
                 "name", "Bob  \tLee"},
        ReadCase{"AskedNamesTrimmed", "[easy]\r\nname=Bob\r\n", " easy\t", "\tname ", "Bob"},
        ReadCase{"DoubleQuotesOff", "[a]\r\nk= \"  x  \" \r\n", "a", "k", "  x  "},
        ReadCase{"SingleQuotesOff", "[a]\r\nk='y'\r\n", "a", "k", "y"},
        ReadCase{"OnlyOnePairOff", "[a]\r\nk=\"\"x\"\"\r\n", "a", "k", "\"x\""},
        ReadCase{"EmptyQuotes", "[a]\r\nk=\"\"\r\n", "a", "k", ""},
        ReadCase{"UnmatchedQuotesStay", "[a]\r\nk=\"x'\r\n", "a", "k", "\"x'"},
        ReadCase{"LoneQuoteStays", "[a]\r\nk=\"\r\n", "a", "k", "\""},
        ReadCase{"InnerQuotesStay", "[a]\r\nk=a\"b\"\r\n", "a", "k", "a\"b\""},
        ReadCase{"FirstSectionOnly", "[a]\r\nx=1\r\n[A]\r\nk=2\r\n", "a", "k", kFallback},
        ReadCase{"FirstKeyOnly", "[a]\r\nk=1\r\nK=2\r\n", "a", "k", "1"},
        ReadCase{"WholeKeyMatches", "[a]\r\nkk=1\r\nk=2\r\n", "a", "k", "2"},
        ReadCase{"CommentsSkipped", "[a]\r\n;k=1\r\n \t;k=2\r\nk=3\r\n", "a", "k", "3"},
        ReadCase{"SemicolonInsideValue", "[a]\r\nk=1;2\r\n", "a", "k", "1;2"},
        ReadCase{"LineWithoutEqualsIsNoKey", "[a]\r\nk\r\n", "a", "k", kFallback},
        ReadCase{"KeysBeforeFirstSection", "k=1\r\n[a]\r\n", "a", "k", kFallback},
        ReadCase{"KeysBeforeFirstSectionAreNowhere", "k=1\r\n[a]\r\n", "", "k", kFallback},
        ReadCase{"SplitAtFirstEquals", "[a]\r\nk = a=b\r\n", "a", "k", "a=b"},
        ReadCase{"PresentButEmpty", "[a]\r\nk=\r\n", "a", "k", ""},
        ReadCase{"BlanksOnly", "[a]\r\nk= \t \r\n", "a", "k", ""},
        ReadCase{"MissingSection", "[a]\r\nk=1\r\n", "b", "k", kFallback},
        ReadCase{"MissingKey", "[a]\r\nk=1\r\n", "a", "j", kFallback},
        ReadCase{"NextSectionEndsTheFirst", "[a]\r\n[b]\r\nk=1\r\n", "a", "k", kFallback},
        ReadCase{"LfOnly", "[a]\nx=0\nk=v\n", "a", "k", "v"},
        ReadCase{"CrOnly", "[a]\rx=0\rk=v\r", "a", "k", "v"},
        ReadCase{"MixedEndsNoFinalBreak", "[a]\r\nx=1\nk=v", "a", "k", "v"},
        ReadCase{"CrLfIsOneBreak", "[a]\r\n\r\nk=v\r\n", "a", "k", "v"},
        ReadCase{"ByteOrderMarkSkipped", "\xEF\xBB\xBF[a]\r\nk=v\r\n", "a", "k", "v"},
        ReadCase{"MarkOnlyAtTheStart", "[z]\r\n\xEF\xBB\xBF[a]\r\nk=v\r\n", "a", "k", kFallback},
        ReadCase{"TextAfterBracket", "[a] ; note\r\nk=v\r\n", "a", "k", "v"},
        ReadCase{"UnclosedBracketIsNoSection", "[a]\r\n[b\r\nk=v\r\n", "a", "k", "v"},
        ReadCase{"EmptySectionName", "[ ]\r\nk=v\r\n", "", "k", "v"},
        ReadCase{"EmptyKey", "[a]\r\nk=1\r\n \t= v\r\n", "a", "", "v"},
        ReadCase{"EqualsAtLineStartIsNoPartOfTheKey", "[a]\r\n=k=1\r\nk=2\r\n", "a", "k", "2"},
        ReadCase{"NulBytesAreData", "[a]\r\nk=x\0y\r\n"s, "a", "k", "x\0y"s},
        ReadCase{"DoubleByteNamesExact", "[a]\r\n\xBC\xF2=1\r\nk=\xB5\xA5\r\n", "a", "k",
                 "\xB5\xA5"}),
    [](const ::testing::TestParamInfo<ReadCase>& info) { return std::string(info.param.label); });

TEST(IniReadBuffer, LongValuesAreCutToTheirFirst2047Bytes) {
  struct Case {
    std::string stored;
    std::string expected;
  };
  const std::string longName(3000, 'n');
  std::string mixed;
  for (int i = 0; i < 3000; ++i) mixed += static_cast<char>('a' + i % 26);
  const Case cases[] = {
      {longName, longName.substr(0, 2047)},
      {mixed, mixed.substr(0, 2047)},
      {std::string(2047, 'x'), std::string(2047, 'x')},
      {std::string(2048, 'x'), std::string(2047, 'x')},
      // The quotes come off before the cut, so all 2047 bytes are the name's own.
      {"\"" + mixed + "\"", mixed.substr(0, 2047)},
      // Blanks inside a long value are kept up to the cut.
      {std::string(2000, 'x') + std::string(100, ' ') + "y",
       std::string(2000, 'x') + std::string(47, ' ')},
  };
  for (const Case& c : cases) {
    TempFolder folder;
    const std::string path = folder.File("score.ini");
    WriteBytes(path, "[easy]\r\nname=" + c.stored + "\r\nscore=5\r\n");
    const IniFile file(path);
    EXPECT_EQ(file.ReadString("easy", "name", ""), c.expected) << "stored " << c.stored.size();
    EXPECT_EQ(file.ReadInteger("easy", "score", 0), 5);
  }
}

struct IntegerCase {
  std::string stored;
  std::int32_t expected;
};

void PrintTo(const IntegerCase& c, std::ostream* os) {
  *os << '"' << c.stored << '"';
}

class IniReadInteger : public ::testing::TestWithParam<IntegerCase> {};

constexpr std::int32_t kIntFallback = -99;

TEST_P(IniReadInteger, ConvertsOrFallsBack) {
  TempFolder folder;
  const std::string path = folder.File("score.ini");
  WriteBytes(path, "[easy]\r\nscore=" + GetParam().stored + "\r\n");
  EXPECT_EQ(IniFile(path).ReadInteger("easy", "score", kIntFallback), GetParam().expected)
      << "stored \"" << GetParam().stored << "\"";
}

INSTANTIATE_TEST_SUITE_P(
    Values, IniReadInteger,
    ::testing::Values(
        IntegerCase{"0", 0}, IntegerCase{"-5", -5}, IntegerCase{"+7", 7}, IntegerCase{"007", 7},
        IntegerCase{"  12  ", 12}, IntegerCase{"\" 5\"", 5}, IntegerCase{"2147483647", INT32_MAX},
        IntegerCase{"-2147483648", INT32_MIN}, IntegerCase{"00000000000000000000042", 42},
        // Hexadecimal after each of its prefixes, in either case, with a sign before it.
        IntegerCase{"0x10", 16}, IntegerCase{"0X10", 16}, IntegerCase{"$10", 16},
        IntegerCase{"x1F", 31}, IntegerCase{"X1f", 31}, IntegerCase{"0xaB", 171},
        IntegerCase{"-$10", -16}, IntegerCase{"+0x10", 16}, IntegerCase{"$FFFFFFFF", -1},
        IntegerCase{"$80000000", INT32_MIN}, IntegerCase{"-$FFFFFFFF", 1},
        IntegerCase{"$000000010", 16}, IntegerCase{"$0", 0},
        // Everything else gives the fallback.
        IntegerCase{"", kIntFallback}, IntegerCase{"abc", kIntFallback},
        IntegerCase{"\"5 \"", kIntFallback}, IntegerCase{"1e3", kIntFallback},
        IntegerCase{"12abc", kIntFallback}, IntegerCase{"1 2", kIntFallback},
        IntegerCase{"2147483648", kIntFallback}, IntegerCase{"-2147483649", kIntFallback},
        IntegerCase{"99999999999999999999", kIntFallback}, IntegerCase{"$100000000", kIntFallback},
        IntegerCase{"$FG", kIntFallback}, IntegerCase{"+", kIntFallback},
        IntegerCase{"-", kIntFallback}, IntegerCase{"$", kIntFallback},
        IntegerCase{"0x", kIntFallback}, IntegerCase{"--5", kIntFallback},
        IntegerCase{"5-", kIntFallback}, IntegerCase{"0x-5", kIntFallback},
        IntegerCase{"00x10", kIntFallback}, IntegerCase{"$$1", kIntFallback},
        IntegerCase{"1.5", kIntFallback}));

TEST(IniReadInteger, MissingValuesAndTheGamesOwnExamples) {
  TempFolder folder;
  const std::string path = folder.File("score.ini");
  WriteBytes(path,
             "[easy]\r\nscore=abc\r\n[normal]\r\nscore=0x10\r\n[hard]\r\nscore=$10\r\n"
             "[a]\r\nscore=-5\r\n[b]\r\nscore=2147483648\r\n");
  const IniFile file(path);
  EXPECT_EQ(file.ReadInteger("easy", "score", 0), 0);
  EXPECT_EQ(file.ReadInteger("normal", "score", 0), 16);
  EXPECT_EQ(file.ReadInteger("hard", "score", 0), 16);
  EXPECT_EQ(file.ReadInteger("a", "score", 0), -5);
  EXPECT_EQ(file.ReadInteger("b", "score", 0), 0);
  EXPECT_EQ(file.ReadInteger("c", "score", 3), 3);
  EXPECT_EQ(IniFile(folder.File("none.ini")).ReadInteger("easy", "score", 4), 4);
}

TEST(IniReadOddFiles, GiveTheFallbackWithoutCreatingAnything) {
  TempFolder folder;
  ASSERT_EQ(::mkdir(folder.File("folder.ini").c_str(), 0755), 0);
  // Opening a pipe for reading would wait for a writer for ever.
  ASSERT_EQ(::mkfifo(folder.File("pipe.ini").c_str(), 0644), 0);
  for (const char* name : {"missing.ini", "folder.ini", "pipe.ini", "missing/score.ini"}) {
    const IniFile file(folder.File(name));
    EXPECT_EQ(file.ReadString("easy", "name", "dflt"), "dflt") << name;
    EXPECT_EQ(file.ReadInteger("easy", "score", 6), 6) << name;
  }
  EXPECT_EQ(folder.Entries(), (std::set<std::string>{"folder.ini", "pipe.ini"}));
}

TEST(IniReadOddFiles, UnreadableFileGivesTheFallback) {
  if (::geteuid() == 0) GTEST_SKIP() << "the superuser reads files whatever their mode";
  TempFolder folder;
  const std::string path = folder.File("score.ini");
  WriteBytes(path, "[easy]\r\nname=Bob\r\n");
  ASSERT_EQ(::chmod(path.c_str(), 0200), 0);
  EXPECT_EQ(IniFile(path).ReadString("easy", "name", "dflt"), "dflt");
}

TEST(IniNames, ThatNoLineCouldHoldAreRejected) {
  const IniFile file("/nonexistent/score.ini");
  const std::string tooLong(IniFile::kMaxNameLength + 1, 'k');
  for (const std::string& bad : {"a\rb"s, "a\nb"s, "a\0b"s, tooLong}) {
    EXPECT_THROW(file.ReadString(bad, "name", ""), std::invalid_argument);
    EXPECT_THROW(file.ReadString("easy", bad, ""), std::invalid_argument);
  }
  EXPECT_NO_THROW(file.ReadString(std::string(IniFile::kMaxNameLength, 's'), "k", ""));
}

}  // namespace
}  // namespace quenlow
