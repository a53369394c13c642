#pragma once
// The syntax of the score file, apart from any file: lines are scanned from a byte source, so
// that the same rules read a file on disk or bytes in memory.
//
// Section and key names match without regard to ASCII case; blanks (space, tab) around keys,
// values and inside section brackets are trimmed; one outer pair of matching quotes is taken
// off a value; only the first section of a name and the first key of a name in it count; ";"
// starts a comment line; CR LF, LF and CR end lines alike; a UTF-8 byte-order mark is skipped;
// values are cut to their first 2047 bytes. The source is streamed, so a huge file costs time
// in proportion to its size but no more memory than a few buffers.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quenlow {

// A value is read through a buffer of this many bytes, its terminating NUL included.
inline constexpr std::size_t kIniValueBufferSize = 2048;
// Longest section or key name the file layer takes; longer names are a programming error.
inline constexpr std::size_t kIniMaxNameLength = 1024;

// Room for the whole of a small file (and the end-of-file read after it), at most one chunk.
std::size_t BufferSizeFor(std::uint64_t sourceSize);

// Where the bytes of a score file come from.
class ByteSource {
 public:
  virtual ~ByteSource() = default;
  // Up to `room` bytes into `buffer`: how many came, 0 at the end, -1 on a read error.
  virtual long Read(char* buffer, std::size_t room) = 0;
  // The size as last seen, so that a small file needs no big buffer.
  virtual std::uint64_t Size() const = 0;
};

// Bytes in memory. They must outlive the source.
class MemorySource : public ByteSource {
 public:
  explicit MemorySource(std::string_view bytes) : bytes_(bytes) {}
  long Read(char* buffer, std::size_t room) override;
  std::uint64_t Size() const override { return bytes_.size(); }

 private:
  std::string_view bytes_;
};

// Where a line lies in the source: [start, end) is its text, [end, next) its line break.
struct LineSpan {
  std::uint64_t start = 0;
  std::uint64_t end = 0;
  std::uint64_t next = 0;
  bool terminated = false;
};

// What a source holds for one section and key, and where a write would go.
struct Lookup {
  bool sectionFound = false;
  bool keyFound = false;
  LineSpan keyLine;
  std::string keySpelling;
  std::string value;
  LineSpan anchor;            // the last key line of the section, or its section line
  bool endsWithBreak = true;  // set when the whole source was read
  std::uint64_t size = 0;     // likewise
  bool readFailed = false;
};

// Reads the source from where it stands, looking for the key in the first section of the
// name. `section` and `key` are names as CheckedName gives them.
Lookup FindKey(ByteSource& source, const std::string& section, const std::string& key);

// A section or key name without its blanks. Names holding CR, LF or NUL, or longer than
// kIniMaxNameLength, throw std::invalid_argument (no line of a file could ever hold them).
std::string CheckedName(const std::string& name, const char* what);

// The section and key a write goes to. Besides the rules for reading, a key may not hold "="
// or begin with ";" or "[", and a section name may not hold "]" (std::invalid_argument).
struct WriteNames {
  std::string section;
  std::string key;
};
WriteNames CheckedWriteNames(const std::string& section, const std::string& key);

// One change to a file: the bytes [cutBegin, cutEnd) give way to `text`.
struct Edit {
  std::uint64_t cutBegin = 0;
  std::uint64_t cutEnd = 0;
  std::string text;
};

// The edit that sets the key to the value: the key's line is rewritten in the spelling the
// file has, or a key line is added after the section's last key, or a section is added at the
// end. CR and LF in the value are written as blanks, so that a value can never add lines.
// `current` is the file as it is, read from its start, or null when there is none yet. No
// edit when reading the file failed.
std::optional<Edit> PlanWrite(ByteSource* current, const WriteNames& names,
                              const std::string& value);

}  // namespace quenlow
