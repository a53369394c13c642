// Names typed in the window, through the score file and back: GBK bytes for GBK characters,
// nothing lost for the others, and bad bytes shown as replacement characters.

#include <gtest/gtest.h>

#include <QString>
#include <string>

#include "scores/Records.h"
#include "tests/scores/FileFixture.h"
#include "ui/qt/NameCodec.h"

namespace quenlow {
namespace {

using namespace std::string_literals;
using testing::ReadBytes;
using testing::TempFolder;

struct Codec {
  const char* label;
  std::string (*toBytes)(const QString&);
  QString (*fromBytes)(const std::string&);
};

void PrintTo(const Codec& c, std::ostream* os) {
  *os << c.label;
}

class NameCodec : public ::testing::TestWithParam<Codec> {};

QString Text(const char* utf8) {
  return QString::fromUtf8(utf8);
}

TEST_P(NameCodec, EncodesGbkCharactersAsGbkAndTheRestWithoutLoss) {
  struct Case {
    const char* text;
    std::string bytes;
  };
  const Case cases[] = {
      {"", ""},
      {"Bob 1", "Bob 1"},
      {"简单级", "\xBC\xF2\xB5\xA5\xBC\xB6"},
      {"破纪录", "\xC6\xC6\xBC\xCD\xC2\xBC"},
      // Outside GBK: four-byte sequences.
      {"\U00020000", "\x95\x32\x82\x36"},
      {"\U0001F600", "\x94\x39\xFC\x36"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(GetParam().toBytes(Text(c.text)), c.bytes) << c.text;
    EXPECT_EQ(GetParam().fromBytes(c.bytes), Text(c.text)) << c.text;
  }
}

TEST_P(NameCodec, BytesThatFormNoCharacterBecomeReplacementCharacters) {
  const QString replacement(QChar(0xFFFD));
  for (const std::string& bytes : {"\xFF"s, "a\x81"s, "\x81\x30"s, "x\x80y"s, "\xBC\xF2\xFF"s}) {
    const QString text = GetParam().fromBytes(bytes);
    EXPECT_TRUE(text.contains(replacement)) << "bytes " << bytes.size();
    EXPECT_FALSE(text.isEmpty());
  }
  // What can be read around a bad byte is kept.
  const QString mixed = GetParam().fromBytes("a\xFF\xBC\xF2z");
  EXPECT_TRUE(mixed.startsWith(u'a'));
  EXPECT_TRUE(mixed.endsWith(Text("简z")));
}

INSTANTIATE_TEST_SUITE_P(
    Both, NameCodec,
    ::testing::Values(Codec{"Qt", &ToNameBytes, &FromNameBytes},
                      Codec{"Iconv", &ToNameBytesWithIconv, &FromNameBytesWithIconv}),
    [](const ::testing::TestParamInfo<Codec>& info) { return std::string(info.param.label); });

TEST(NameCodecRecords, TypedNamesSurviveASaveAndALoad) {
  TempFolder folder;
  const std::string path = folder.File("score.ini");
  const QString names[4] = {{}, Text("简单级"), Text("A\U00020000B"), Text("玩家\U0001F600")};
  Records records(path);
  for (int d = 1; d <= 3; ++d) {
    records.BestName[d] = ToNameBytes(names[d]);
    records.BestScore[d] = 100 * d;
    records.SaveRecord(d);
  }
  EXPECT_EQ(ReadBytes(path).value_or("").substr(0, 32),
            "[easy]\r\nname=\xBC\xF2\xB5\xA5\xBC\xB6\r\nscore=100\r\n");
  Records nextStart(path);
  nextStart.LoadRecords();
  for (int d = 1; d <= 3; ++d) EXPECT_EQ(FromNameBytes(nextStart.BestName[d]), names[d]) << d;
}

}  // namespace
}  // namespace quenlow
