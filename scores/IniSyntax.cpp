#include "scores/IniSyntax.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

#include "scores/IniText.h"

namespace quenlow {
namespace {

using ini::IsBlank;
using ini::SameName;
using ini::TrimBlanks;
using ini::TrimmedText;

constexpr std::size_t kChunkSize = 64 * 1024;
constexpr std::size_t kMaxValueLength = kIniValueBufferSize - 1;

enum class LineKind { kOther, kSection, kKey };

struct Line : LineSpan {
  LineKind kind = LineKind::kOther;
};

// Takes one line byte by byte and tells what it is: a comment, a section line "[name]", a key
// line "key=value" (split at the first "="), or anything else. Only what the search needs is
// collected: outside the wanted section just section lines, inside it the value of the wanted
// key alone; the rest of a line that can no longer matter is skipped.
class LineParser {
 public:
  // `wantedKey` is the key searched for while inside the wanted section, else null.
  void Begin(const std::string* wantedKey) {
    wantedKey_ = wantedKey;
    state_ = State::kLead;
    bracket_ = false;
    sectionClosed_ = false;
    hasEquals_ = false;
    keyMatched_ = false;
    key_.Clear();
    value_.Clear();
    section_.Clear();
  }

  void Feed(unsigned char c) {
    switch (state_) {
      case State::kLead:
        if (IsBlank(c)) return;
        bracket_ = (c == '[');
        if (c == ';' || (wantedKey_ == nullptr && !bracket_)) {
          state_ = State::kIgnore;
          return;
        }
        if (wantedKey_ == nullptr) {
          state_ = State::kBracketOnly;
          return;
        }
        state_ = State::kKey;
        if (bracket_) {
          // Part of the key, should the line turn out to be no section line.
          key_.Add(c);
          return;
        }
        FeedKey(c);
        return;
      case State::kBracketOnly:
        FeedBracket(c);
        return;
      case State::kKey:
        if (bracket_ && FeedBracket(c)) return;
        FeedKey(c);
        return;
      case State::kValue:
        if (bracket_ && FeedBracket(c)) return;
        if (keyMatched_) value_.Add(c);
        return;
      case State::kIgnore:
        return;
    }
  }

  // Nothing more of this line can change what it is.
  bool Ignoring() const { return state_ == State::kIgnore; }

  // Key lines are told apart only inside the wanted section.
  LineKind Kind() const {
    if (sectionClosed_) return LineKind::kSection;
    if (hasEquals_) return LineKind::kKey;
    return LineKind::kOther;
  }

  const TrimmedText& Section() const { return section_; }
  bool KeyMatched() const { return keyMatched_ && !sectionClosed_; }
  const std::string& KeySpelling() const { return key_.Kept(); }

  // The value of the wanted key as the profile functions hand it out: one outer pair of
  // matching quotes taken off, then cut to what the read buffer holds.
  std::string Value() const {
    const std::string& kept = value_.Kept();
    std::size_t begin = 0;
    std::size_t count = value_.Length();
    if (count >= 2 && (kept[0] == '"' || kept[0] == '\'') &&
        value_.Last() == static_cast<unsigned char>(kept[0])) {
      begin = 1;
      count -= 2;
    }
    return kept.substr(begin, std::min(count, kMaxValueLength));
  }

 private:
  enum class State { kLead, kBracketOnly, kKey, kValue, kIgnore };

  void FeedKey(unsigned char c) {
    if (c != '=') {
      key_.Add(c);
      return;
    }
    hasEquals_ = true;
    keyMatched_ = key_.Complete() && SameName(key_.Kept(), *wantedKey_);
    // A bracket line may still turn into a section line, so its end is watched.
    state_ = (keyMatched_ || bracket_) ? State::kValue : State::kIgnore;
  }

  // Inside the brackets of a line that began with "[": true when the line is now known to be a
  // section line. Until then the line may still turn out to be a key line ("[a=b").
  bool FeedBracket(unsigned char c) {
    if (c == ']') {
      sectionClosed_ = true;
      state_ = State::kIgnore;
      return true;
    }
    section_.Add(c);
    return false;
  }

  const std::string* wantedKey_ = nullptr;
  State state_ = State::kLead;
  bool bracket_ = false;
  bool sectionClosed_ = false;
  bool hasEquals_ = false;
  bool keyMatched_ = false;
  TrimmedText key_{kIniMaxNameLength};
  // One byte more than a value can keep, for an opening quote that is taken off.
  TrimmedText value_{kMaxValueLength + 1};
  TrimmedText section_{kIniMaxNameLength};
};

// Reads a source in chunks and splits it into lines at CR LF, LF or CR, skipping a UTF-8
// byte-order mark at the start. Memory stays at one chunk and one parsed line.
class LineScanner {
 public:
  explicit LineScanner(ByteSource& source)
      : source_(source), buffer_(BufferSizeFor(source.Size())) {}

  // The next line, parsed with LineParser::Begin(wantedKey); false at the end of the file.
  bool Next(Line& line, const std::string* wantedKey) {
    if (!started_) Start();
    if (pos_ == length_ && !Fill()) return false;
    parser_.Begin(wantedKey);
    line.start = offset_;
    for (;;) {
      if (pos_ == length_ && !Fill()) {
        line.end = line.next = offset_;
        line.terminated = false;
        break;
      }
      if (parser_.Ignoring()) {
        const char* begin = buffer_.data() + pos_;
        const char* end = buffer_.data() + length_;
        const char* p = begin;
        while (p != end && *p != '\r' && *p != '\n') ++p;
        pos_ += static_cast<std::size_t>(p - begin);
        offset_ += static_cast<std::uint64_t>(p - begin);
        if (p == end) continue;
      }
      const unsigned char c = static_cast<unsigned char>(buffer_[pos_++]);
      ++offset_;
      if (c == '\n' || c == '\r') {
        line.end = offset_ - 1;
        line.terminated = true;
        if (c == '\r' && (pos_ < length_ || Fill()) && buffer_[pos_] == '\n') {
          ++pos_;
          ++offset_;
        }
        line.next = offset_;
        break;
      }
      parser_.Feed(c);
    }
    line.kind = parser_.Kind();
    return true;
  }

  const LineParser& Parsed() const { return parser_; }
  std::uint64_t Offset() const { return offset_; }
  bool ReadFailed() const { return readFailed_; }

 private:
  void Start() {
    started_ = true;
    // Gather the first three bytes, however the system hands them out, to look for the mark.
    while (length_ < 3) {
      const long n = source_.Read(buffer_.data() + length_, buffer_.size() - length_);
      if (n > 0) {
        length_ += static_cast<std::size_t>(n);
      } else {
        if (n < 0) readFailed_ = true;
        ended_ = true;
        break;
      }
    }
    if (length_ >= 3 && static_cast<unsigned char>(buffer_[0]) == 0xEF &&
        static_cast<unsigned char>(buffer_[1]) == 0xBB &&
        static_cast<unsigned char>(buffer_[2]) == 0xBF) {
      pos_ = offset_ = 3;
    }
  }

  bool Fill() {
    while (!ended_) {
      const long n = source_.Read(buffer_.data(), buffer_.size());
      if (n > 0) {
        pos_ = 0;
        length_ = static_cast<std::size_t>(n);
        return true;
      }
      // A read error ends the file where it failed: a reader uses what it got, a writer
      // refuses to go on.
      if (n < 0) readFailed_ = true;
      ended_ = true;
    }
    pos_ = length_ = 0;
    return false;
  }

  ByteSource& source_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t length_ = 0;
  std::uint64_t offset_ = 0;
  bool started_ = false;
  bool ended_ = false;
  bool readFailed_ = false;
  LineParser parser_;
};

}  // namespace

Lookup FindKey(ByteSource& source, const std::string& section, const std::string& key) {
  LineScanner scanner(source);
  Lookup result;
  Line line;
  bool inSection = false;
  while (scanner.Next(line, inSection ? &key : nullptr)) {
    result.endsWithBreak = line.terminated;
    const LineParser& parsed = scanner.Parsed();
    if (line.kind == LineKind::kSection) {
      // Only the first section of a name counts, so its end ends the search.
      if (inSection) return result;
      if (parsed.Section().Complete() && SameName(parsed.Section().Kept(), section)) {
        inSection = result.sectionFound = true;
        result.anchor = line;
      }
      continue;
    }
    if (!inSection || line.kind != LineKind::kKey) continue;
    result.anchor = line;
    if (parsed.KeyMatched()) {
      result.keyFound = true;
      result.keyLine = line;
      result.keySpelling = parsed.KeySpelling();
      result.value = parsed.Value();
      return result;
    }
  }
  result.size = scanner.Offset();
  result.readFailed = scanner.ReadFailed();
  return result;
}

std::size_t BufferSizeFor(std::uint64_t sourceSize) {
  return static_cast<std::size_t>(std::clamp<std::uint64_t>(sourceSize + 1, 64, kChunkSize));
}

long MemorySource::Read(char* buffer, std::size_t room) {
  const std::size_t count = std::min(room, bytes_.size());
  std::memcpy(buffer, bytes_.data(), count);
  bytes_.remove_prefix(count);
  return static_cast<long>(count);
}

std::string CheckedName(const std::string& name, const char* what) {
  std::string trimmed = TrimBlanks(name);
  if (trimmed.size() > kIniMaxNameLength)
    throw std::invalid_argument(std::string(what) + " name is too long");
  if (trimmed.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
    throw std::invalid_argument(std::string(what) + " name holds a line break or NUL");
  return trimmed;
}

WriteNames CheckedWriteNames(const std::string& section, const std::string& key) {
  WriteNames names{CheckedName(section, "section"), CheckedName(key, "key")};
  if (names.section.find(']') != std::string::npos)
    throw std::invalid_argument("section name holds \"]\"");
  if (names.key.find('=') != std::string::npos ||
      (!names.key.empty() && (names.key[0] == ';' || names.key[0] == '[')))
    throw std::invalid_argument("key name cannot stand at the start of a key line");
  return names;
}

std::optional<Edit> PlanWrite(ByteSource* current, const WriteNames& names,
                              const std::string& value) {
  // A line break inside the value would start new lines of the file.
  std::string flat = value;
  std::replace(flat.begin(), flat.end(), '\r', ' ');
  std::replace(flat.begin(), flat.end(), '\n', ' ');
  const std::string keyLine = names.key + "=" + flat + "\r\n";
  const std::string sectionLine = "[" + names.section + "]\r\n";

  if (current == nullptr) return Edit{0, 0, sectionLine + keyLine};
  const Lookup found = FindKey(*current, names.section, names.key);
  if (found.readFailed) return std::nullopt;
  if (found.keyFound)
    return Edit{found.keyLine.start, found.keyLine.next, found.keySpelling + "=" + flat + "\r\n"};
  if (found.sectionFound) {
    const std::uint64_t at = found.anchor.next;
    return Edit{at, at, (found.anchor.terminated ? "" : "\r\n") + keyLine};
  }
  return Edit{found.size, found.size,
              std::string(found.endsWithBreak ? "" : "\r\n") + sectionLine + keyLine};
}

}  // namespace quenlow
