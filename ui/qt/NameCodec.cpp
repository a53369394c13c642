#include "ui/qt/NameCodec.h"

#include <iconv.h>

#include <QStringDecoder>
#include <QStringEncoder>
#include <cerrno>
#include <vector>

namespace quenlow {
namespace {

constexpr const char* kNameEncoding = "GB18030";

// One direction of an iconv conversion. Input that does not convert is skipped a byte at a
// time, each skipped byte standing as `replacement` in the output.
std::string Convert(const char* to, const char* from, const char* data, std::size_t size,
                    const std::string& replacement) {
  iconv_t cd = ::iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return {};
  std::string out;
  std::vector<char> buffer(4096);
  char* in = const_cast<char*>(data);
  std::size_t left = size;
  while (left > 0) {
    char* dest = buffer.data();
    std::size_t room = buffer.size();
    const std::size_t result = ::iconv(cd, &in, &left, &dest, &room);
    out.append(buffer.data(), static_cast<std::size_t>(dest - buffer.data()));
    if (result != static_cast<std::size_t>(-1)) continue;
    if (errno == E2BIG) continue;
    // A bad or cut-off sequence: stand in for its first byte and go on after it.
    out += replacement;
    ++in;
    --left;
    ::iconv(cd, nullptr, nullptr, nullptr, nullptr);
  }
  char* dest = buffer.data();
  std::size_t room = buffer.size();
  ::iconv(cd, nullptr, nullptr, &dest, &room);
  out.append(buffer.data(), static_cast<std::size_t>(dest - buffer.data()));
  ::iconv_close(cd);
  return out;
}

}  // namespace

std::string ToNameBytes(const QString& name) {
  QStringEncoder encoder(kNameEncoding);
  if (!encoder.isValid()) return ToNameBytesWithIconv(name);
  const QByteArray bytes = encoder.encode(name);
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

QString FromNameBytes(const std::string& bytes) {
  QStringDecoder decoder(kNameEncoding);
  if (!decoder.isValid()) return FromNameBytesWithIconv(bytes);
  // The decoder keeps a sequence cut off at the end waiting for more bytes and never reports
  // it. A line feed after the name ends any such sequence as a bad one (no sequence takes an
  // ASCII byte in), and is taken off again.
  QByteArray input(bytes.data(), static_cast<qsizetype>(bytes.size()));
  input.append('\n');
  QString text = decoder.decode(input);
  if (text.endsWith(u'\n')) text.chop(1);
  return text;
}

std::string ToNameBytesWithIconv(const QString& name) {
  // GB18030 encodes every character; only a lone surrogate, which UTF-8 turns into U+FFFD
  // on the way, has no proper form.
  const QByteArray utf8 = name.toUtf8();
  return Convert(kNameEncoding, "UTF-8", utf8.constData(), static_cast<std::size_t>(utf8.size()),
                 "?");
}

QString FromNameBytesWithIconv(const std::string& bytes) {
  const std::string utf8 =
      Convert("UTF-8", kNameEncoding, bytes.data(), bytes.size(), "\xEF\xBF\xBD");
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace quenlow
