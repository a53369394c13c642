#include "scores/ProfileInteger.h"

#include <climits>

namespace quenlow {

std::int32_t ParseProfileInteger(const std::string& text, std::int32_t fallback) {
  const std::size_t size = text.size();
  std::size_t i = 0;
  while (i < size && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < size && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  bool hex = false;
  if (i < size && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
    hex = true;
    ++i;
  } else if (i + 1 < size && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
    hex = true;
    i += 2;
  }
  if (i == size) return fallback;

  if (hex) {
    std::uint32_t pattern = 0;
    int significant = 0;
    for (; i < size; ++i) {
      const char c = text[i];
      int digit;
      if (c >= '0' && c <= '9') {
        digit = c - '0';
      } else if (c >= 'a' && c <= 'f') {
        digit = c - 'a' + 10;
      } else if (c >= 'A' && c <= 'F') {
        digit = c - 'A' + 10;
      } else {
        return fallback;
      }
      if (significant == 0 && digit == 0) continue;
      if (++significant > 8) return fallback;
      pattern = pattern * 16 + static_cast<std::uint32_t>(digit);
    }
    if (negative) pattern = 0u - pattern;
    return static_cast<std::int32_t>(pattern);
  }

  // One past the largest magnitude, so that the most negative value still fits.
  constexpr std::int64_t kLimit = std::int64_t{INT32_MAX} + 1;
  std::int64_t magnitude = 0;
  for (; i < size; ++i) {
    const char c = text[i];
    if (c < '0' || c > '9') return fallback;
    magnitude = magnitude * 10 + (c - '0');
    if (magnitude > kLimit) return fallback;
  }
  const std::int64_t value = negative ? -magnitude : magnitude;
  if (value > INT32_MAX) return fallback;
  return static_cast<std::int32_t>(value);
}

}  // namespace quenlow
