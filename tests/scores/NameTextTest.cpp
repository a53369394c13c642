// Record holders' names between the game's UTF-8 text and the score file's bytes: code page 936
// for its own characters, nothing lost for the others, bad bytes read as U+FFFD.

#include <gtest/gtest.h>

#include <string>

#include "scores/NameText.h"
#include "scores/Records.h"
#include "tests/scores/FileFixture.h"

namespace quenlow {
namespace {

using namespace std::string_literals;
using testing::ReadBytes;
using testing::TempFolder;

TEST(NameText, KeepsEachCharacterInTheBytesTheFileHasAlwaysHeld) {
  struct Case {
    const char* text;
    std::string bytes;
  };
  const Case cases[] = {
      {"", ""},
      {"Bob 1", "Bob 1"},
      {"简单级", "\xBC\xF2\xB5\xA5\xBC\xB6"},
      {"，　", "\xA3\xAC\xA1\xA1"},
      // Characters whose bytes differ between GB18030 tables (the C library's iconv among
      // them): the file keeps the bytes the game has always written.
      {"\u9FB4", "\x82\x35\x90\x37"},
      {"\uFE10", "\x84\x31\x82\x36"},
      {"\uE5E5", "\xA3\xA0"},
      {"\uE81E", "\xFE\x59"},
      // Outside code page 936: four-byte sequences.
      {"\u0080", "\x81\x30\x81\x30"},
      {"\U00020000", "\x95\x32\x82\x36"},
      {"\U0001F600", "\x94\x39\xFC\x36"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(NameToFileBytes(c.text), c.bytes) << c.text;
    EXPECT_EQ(NameFromFileBytes(c.bytes), c.text) << c.text;
  }
}

TEST(NameText, EveryCharacterComesBackAsItWent) {
  // All of Unicode but the surrogates, in one name far longer than any buffer.
  std::string text;
  for (char32_t c = 1; c <= 0x10FFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    if (c < 0x80) {
      text += static_cast<char>(c);
    } else if (c < 0x800) {
      text += {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F))};
    } else if (c < 0x10000) {
      text += {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
               static_cast<char>(0x80 | (c & 0x3F))};
    } else {
      text += {static_cast<char>(0xF0 | (c >> 18)), static_cast<char>(0x80 | ((c >> 12) & 0x3F)),
               static_cast<char>(0x80 | ((c >> 6) & 0x3F)), static_cast<char>(0x80 | (c & 0x3F))};
    }
  }
  // A character without bytes of its own would come back as the substitute U+001A or U+FFFD.
  EXPECT_TRUE(NameFromFileBytes(NameToFileBytes(text)) == text);
}

TEST(NameText, BytesThatFormNoCharacterReadAsReplacementCharacters) {
  struct Case {
    std::string bytes;
    std::string text;
  };
  const Case cases[] = {
      {"\xFF", "\uFFFD"},
      {"x\x80y", "x\uFFFDy"},
      {"\xBC\xF2\xFF", "简\uFFFD"},
      // A lead byte and a trail byte that fits no character go together.
      {"\x81\xFF", "\uFFFD"},
      // A lead byte before an ASCII byte is bad alone; the ASCII byte is read.
      {"\x81\x7F", "\uFFFD\x7F"},
      {"\x81\x30\x81\x41", "\uFFFD" "0\u4E04"},
      // Cut off at the end, the same: the lead byte is bad and the rest is read again.
      {"a\x81", "a\uFFFD"},
      {"\x81\x30", "\uFFFD" "0"},
      {"\x81\x30\x81", "\uFFFD" "0\uFFFD"},
      {"A\0B"s, "A\0B"s},
  };
  for (const Case& c : cases) EXPECT_EQ(NameFromFileBytes(c.bytes), c.text);
}

TEST(NameText, TextThatIsNoUtf8IsSavedWithReplacementCharacters) {
  EXPECT_EQ(NameToFileBytes("a\xFF" "b"), "a\x84\x31\xA4\x37" "b");
  EXPECT_EQ(NameFromFileBytes(NameToFileBytes("\xE7\xAE")), "\uFFFD");
}

TEST(NameText, TypedNamesSurviveASaveAndALoad) {
  TempFolder folder;
  const std::string path = folder.File("score.ini");
  const std::array<std::string, 4> names = {"", "简单级", "A\U00020000B", "玩家\U0001F600"};
  Records records(path);
  for (int d = 1; d <= 3; ++d) {
    records.BestName[d] = names[d];
    records.BestScore[d] = 100 * d;
    records.SaveRecord(d);
  }
  EXPECT_EQ(ReadBytes(path).value_or(""),
            "[easy]\r\nname=\xBC\xF2\xB5\xA5\xBC\xB6\r\nscore=100\r\n"
            "[normal]\r\nname=A\x95\x32\x82\x36" "B\r\nscore=200\r\n"
            "[hard]\r\nname=\xCD\xE6\xBC\xD2\x94\x39\xFC\x36\r\nscore=300\r\n");
  Records nextStart(path);
  nextStart.LoadRecords();
  for (int d = 1; d <= 3; ++d) EXPECT_EQ(nextStart.BestName[d], names[d]) << d;
}

}  // namespace
}  // namespace quenlow
