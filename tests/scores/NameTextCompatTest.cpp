// Every score file of the game was written, and every name in one read, through the toolkit's
// GB18030 converter, until the names became UTF-8 text at the file. The names must still be
// written to the same bytes and read to the same text, bad bytes included, or a record holder
// would change name on an update.

#include <gtest/gtest.h>

#include <QString>
#include <QStringDecoder>
#include <QStringEncoder>
#include <random>
#include <string>

#include "scores/NameText.h"

namespace quenlow {
namespace {

std::string ToolkitBytes(const QString& name) {
  QStringEncoder encoder("GB18030");
  const QByteArray bytes = encoder.encode(name);
  return bytes.toStdString();
}

// The toolkit's decoder keeps a sequence cut off at the end waiting for more bytes; the names
// were read with a line feed after them, which ends it as a bad one.
std::string ToolkitText(const std::string& bytes) {
  QStringDecoder decoder("GB18030");
  QString text = decoder.decode(QByteArray::fromStdString(bytes + '\n'));
  text.chop(1);
  return text.toStdString();
}

std::string Hex(const std::string& bytes) {
  static const char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  for (const unsigned char b : bytes) hex += {kDigits[b >> 4], kDigits[b & 15], ' '};
  return hex;
}

// Reads every input as the toolkit did; says which ones differ (the first few).
void ExpectReadAsBefore(const std::vector<std::string>& inputs) {
  int differing = 0;
  for (const std::string& bytes : inputs) {
    if (NameFromFileBytes(bytes) == ToolkitText(bytes)) continue;
    if (++differing <= 5) ADD_FAILURE() << "bytes " << Hex(bytes) << "read differently";
  }
  EXPECT_EQ(differing, 0);
}

TEST(NameTextCompat, EveryCharacterIsWrittenAsBefore) {
  QString all;
  for (char32_t c = 1; c <= 0x10FFFF; ++c) {
    if (c < 0xD800 || c > 0xDFFF) all += QString::fromUcs4(&c, 1);
  }
  ASSERT_TRUE(QStringEncoder("GB18030").isValid()) << "the toolkit has no GB18030";
  // The encoding has no state, so one long name differs if and only if a character does.
  const std::string before = ToolkitBytes(all);
  const std::string now = NameToFileBytes(all.toStdString());
  ASSERT_EQ(now.size(), before.size());
  EXPECT_TRUE(now == before);
}

TEST(NameTextCompat, EveryOneAndTwoByteNameReadsAsBefore) {
  std::vector<std::string> inputs;
  for (int a = 0; a < 256; ++a) {
    inputs.emplace_back(1, static_cast<char>(a));
    for (int b = 0; b < 256; ++b) inputs.push_back({static_cast<char>(a), static_cast<char>(b)});
  }
  ExpectReadAsBefore(inputs);
}

TEST(NameTextCompat, FourByteSequencesAndRandomBytesReadAsBefore) {
  // Every four-byte sequence in one name: a good one never changes how the next one reads.
  std::string fourByte;
  for (int a = 0x81; a <= 0xFE; ++a)
    for (int b = '0'; b <= '9'; ++b)
      for (int c = 0x81; c <= 0xFE; ++c)
        for (int d = '0'; d <= '9'; ++d) fourByte += {char(a), char(b), char(c), char(d)};
  std::vector<std::string> inputs = {fourByte};
  // Short runs weighted towards the bytes where sequences begin, continue and break.
  const unsigned char kEdges[] = {0x00, 0x0A, 0x20, 0x30, 0x35, 0x39, 0x3A, 0x41, 0x7F,
                                  0x80, 0x81, 0x84, 0x90, 0xA1, 0xBC, 0xE3, 0xFE, 0xFF};
  std::mt19937 random(12);
  for (int i = 0; i < 30000; ++i) {
    std::string bytes(random() % 9, '\0');
    for (char& b : bytes) {
      b = static_cast<char>(random() % 2 ? random() % 256 : kEdges[random() % sizeof kEdges]);
    }
    inputs.push_back(bytes);
  }
  ExpectReadAsBefore(inputs);
}

}  // namespace
}  // namespace quenlow
