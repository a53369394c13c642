#pragma once
// The integer reading of the score file, the way the Windows profile functions read numbers.

#include <cstdint>
#include <string>

namespace quenlow {

// Leading blanks, an optional sign, then decimal digits, or hexadecimal digits after "$", "x",
// "X", "0x" or "0X" (up to eight significant digits, taken as a 32-bit pattern). Anything else
// gives the fallback.
std::int32_t ParseProfileInteger(const std::string& text, std::int32_t fallback);

}  // namespace quenlow
