#pragma once
// An INI file read and written in place, line by line, the way the Windows
// private-profile functions do it. Nothing is cached: every call goes to the file.
//
// Reading: section and key names match without regard to ASCII case; blanks (space, tab)
// around keys, values and inside section brackets are trimmed; one outer pair of matching
// quotes is taken off a value; only the first section of a name and the first key of a name
// in it count; ";" starts a comment line; CR LF, LF and CR end lines alike; a UTF-8 byte-order
// mark is skipped; values are cut to their first 2047 bytes. The file is streamed, so a huge
// file costs time in proportion to its size but no more memory than a few buffers.
//
// Writing: only the line of the key changes (or a line, or a section, is added); every other
// byte of the file stays. The new content goes to a temporary file in the same folder, is
// flushed to disk and renamed over the old file, which keeps its permissions: a crash leaves
// either the old file or the new one, never half of one.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <utility>

namespace quenlow {

// Thrown when the system refuses a write. what() is "Unable to write to <path>".
class WriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class IniFile {
 public:
  // A value is read through a buffer of this many bytes, its terminating NUL included.
  static constexpr std::size_t kValueBufferSize = 2048;
  // Longest section or key name the file layer takes; longer names are a programming error.
  static constexpr std::size_t kMaxNameLength = 1024;

  explicit IniFile(std::string path) : path_(std::move(path)) {}
  const std::string& Path() const { return path_; }

  // Reads never fail: a missing, unreadable or odd file gives the fallback. Blanks around the
  // section and key names asked for are ignored. Names holding CR, LF or NUL, or longer than
  // kMaxNameLength, throw std::invalid_argument (no line of a file could ever hold them).
  std::string ReadString(const std::string& section, const std::string& key,
                         const std::string& fallback) const;
  std::int32_t ReadInteger(const std::string& section, const std::string& key,
                           std::int32_t fallback) const;

  // Throw WriteError when the system refuses the write: the file has no write permission bit
  // at all (read-only for every user, the superuser included), the folder is missing or
  // refuses new files, the path is not a regular file, or the disk fails. Nothing of the file
  // changes then. CR and LF in the value are written as blanks, so that a value can never
  // add lines to the file. Besides the rules for reading, a key may not hold "=" or begin
  // with ";" or "[", and a section name may not hold "]" (std::invalid_argument).
  void WriteString(const std::string& section, const std::string& key, const std::string& value);
  void WriteInteger(const std::string& section, const std::string& key, std::int32_t value);

  // Test seam: runs after the new content is complete and flushed in the temporary file and
  // just before that file replaces the score file. An exception thrown from it behaves like a
  // crash at that moment: it propagates and the temporary file is left where it is. An empty
  // function removes the hook.
  using BeforeReplaceHook = std::function<void(const std::string& temporaryPath)>;
  static void SetBeforeReplaceHook(BeforeReplaceHook hook);

 private:
  std::string path_;
};

// The integer reading of the file layer on its own: leading blanks, an optional sign, then
// decimal digits, or hexadecimal digits after "$", "x", "X", "0x" or "0X" (up to eight
// significant digits, taken as a 32-bit pattern). Anything else gives the fallback.
std::int32_t ParseProfileInteger(const std::string& text, std::int32_t fallback);

}  // namespace quenlow
