#include "scores/NameText.h"

#include <unicode/ucnv.h>

#include <array>
#include <memory>
#include <optional>
#include <stdexcept>

namespace quenlow {
namespace {

struct CloseConverter {
  void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using Converter = std::unique_ptr<UConverter, CloseConverter>;

Converter Open(const char* encoding) {
  UErrorCode status = U_ZERO_ERROR;
  Converter converter(ucnv_open(encoding, &status));
  return U_SUCCESS(status) ? std::move(converter) : nullptr;
}

// The whole of `input` from one encoding into another, through ICU's UTF-16 pivot, streamed so
// that any length fits. What does not convert takes the converters' substitutes (U+FFFD on
// the way in), so the only failure is an encoding ICU cannot open.
std::optional<std::string> Convert(const char* to, const char* from, std::string_view input) {
  const Converter target = Open(to);
  const Converter source = Open(from);
  if (!target || !source) return std::nullopt;
  if (input.empty()) return std::string();
  std::string out;
  std::array<char, 4096> buffer;
  std::array<UChar, 1024> pivot;
  UChar* pivotSource = pivot.data();
  UChar* pivotTarget = pivot.data();
  const char* in = input.data();
  const char* inEnd = in + input.size();
  for (bool reset = true;; reset = false) {
    char* outNext = buffer.data();
    UErrorCode status = U_ZERO_ERROR;
    ucnv_convertEx(target.get(), source.get(), &outNext, buffer.data() + buffer.size(), &in,
                   inEnd, pivot.data(), &pivotSource, &pivotTarget, pivot.data() + pivot.size(),
                   reset, /*flush=*/true, &status);
    out.append(buffer.data(), static_cast<std::size_t>(outNext - buffer.data()));
    if (status != U_BUFFER_OVERFLOW_ERROR) return out;
  }
}

constexpr const char* kFileEncoding = "GB18030";

}  // namespace

std::string NameFromFileBytes(std::string_view bytes) {
  // A line feed after the name ends a cut-off sequence as a bad one (no sequence takes an
  // ASCII byte in), and comes out again as the last character.
  std::string line(bytes);
  line += '\n';
  // Without a converter the name reads as none, like any other unreadable value.
  std::string text = Convert("UTF-8", kFileEncoding, line).value_or(std::string());
  if (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

std::string NameToFileBytes(std::string_view text) {
  std::optional<std::string> bytes = Convert(kFileEncoding, "UTF-8", text);
  // Saving an empty name in place of the typed one would lose the record holder unseen.
  if (!bytes) throw std::runtime_error("no GB18030 converter for the record holder's name");
  return *std::move(bytes);
}

}  // namespace quenlow
