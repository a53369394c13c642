#pragma once
// Record-holder names are UTF-8 text everywhere in the game and GB18030 bytes in the score
// file; they change form only here, as the records are read and saved. GB18030 is byte for
// byte code page 936 for every character that code page has, and encodes every other
// character too, so no name a player types is lost. The tables are ICU's, which is what the
// names in existing score files were written with; the C library's iconv encodes a few dozen
// characters differently (U+9FB4, U+FE10, U+E5E5, ...).

#include <string>
#include <string_view>

namespace quenlow {

// The text of a name as the score file keeps it. Bytes that form no character stand as
// U+FFFD; a sequence cut off at the end counts its lead byte as bad and reads the rest again,
// just as one cut off by the end of its line would.
std::string NameFromFileBytes(std::string_view bytes);

// The bytes the score file keeps for a name. Input that is not well-formed UTF-8 stands as
// U+FFFD, so a name is always saved whole. Throws std::runtime_error when ICU has no
// converter for the file's encoding.
std::string NameToFileBytes(std::string_view text);

}  // namespace quenlow
