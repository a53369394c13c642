#pragma once
// Record-holder names cross the window boundary here: the score file keeps them as bytes in
// code page 936, the window shows them as text. GB18030 is byte for byte the same as code
// page 936 for every character that code page has, and encodes every other character too, so
// no name a player types is ever lost.

#include <QString>
#include <string>

namespace quenlow {

// The name as the score file keeps it.
std::string ToNameBytes(const QString& name);
// The text of name bytes from the score file. Bytes that form no character come out as
// replacement characters (U+FFFD).
QString FromNameBytes(const std::string& bytes);

// The same conversions done through the C library, which the two above fall back on when the
// Qt build knows no GB18030 (a build without ICU).
std::string ToNameBytesWithIconv(const QString& name);
QString FromNameBytesWithIconv(const std::string& bytes);

}  // namespace quenlow
