#include "scores/IniFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdlib>
#include <limits>
#include <vector>

namespace quenlow {
namespace {

constexpr std::size_t kChunkSize = 64 * 1024;
constexpr std::size_t kMaxValueLength = IniFile::kValueBufferSize - 1;

// Room for the whole of a small file (and the end-of-file read after it), at most one chunk.
std::size_t BufferSizeFor(std::uint64_t fileSize) {
  return static_cast<std::size_t>(std::clamp<std::uint64_t>(fileSize + 1, 64, kChunkSize));
}

bool IsBlank(unsigned char c) {
  return c == ' ' || c == '\t';
}

unsigned char FoldCase(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Names match without regard to ASCII case; bytes of double-byte characters compare as they are.
bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(static_cast<unsigned char>(a[i])) != FoldCase(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

std::string TrimBlanks(const std::string& text) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(static_cast<unsigned char>(text[begin]))) ++begin;
  while (end > begin && IsBlank(static_cast<unsigned char>(text[end - 1]))) --end;
  return text.substr(begin, end - begin);
}

std::string CheckedName(const std::string& name, const char* what) {
  std::string trimmed = TrimBlanks(name);
  if (trimmed.size() > IniFile::kMaxNameLength)
    throw std::invalid_argument(std::string(what) + " name is too long");
  if (trimmed.find_first_of(std::string("\r\n\0", 3)) != std::string::npos)
    throw std::invalid_argument(std::string(what) + " name holds a line break or NUL");
  return trimmed;
}

// A run of text without its leading and trailing blanks, of which at most `cap` bytes are
// kept however long the run is. Blanks are held back until a non-blank follows them, so that
// trailing blanks never count.
class TrimmedText {
 public:
  explicit TrimmedText(std::size_t cap) : cap_(cap) {}

  void Clear() {
    kept_.clear();
    pending_.clear();
    pendingLength_ = 0;
    length_ = 0;
    last_ = 0;
  }

  void Add(unsigned char c) {
    if (kept_.size() == cap_) {
      // Full: only the length and the last non-blank byte still change.
      if (IsBlank(c)) {
        ++pendingLength_;
      } else {
        length_ += pendingLength_ + 1;
        pendingLength_ = 0;
        last_ = c;
      }
      return;
    }
    if (IsBlank(c)) {
      if (length_ == 0) return;
      if (pending_.size() < cap_) pending_.push_back(static_cast<char>(c));
      ++pendingLength_;
      return;
    }
    if (pendingLength_ > 0) {
      Keep(pending_.data(), pending_.size());
      length_ += pendingLength_;
      pending_.clear();
      pendingLength_ = 0;
    }
    const char byte = static_cast<char>(c);
    Keep(&byte, 1);
    ++length_;
    last_ = c;
  }

  const std::string& Kept() const { return kept_; }
  std::size_t Length() const { return length_; }
  bool Complete() const { return kept_.size() == length_; }
  unsigned char Last() const { return last_; }

 private:
  void Keep(const char* bytes, std::size_t count) {
    kept_.append(bytes, std::min(count, cap_ - kept_.size()));
  }

  std::size_t cap_;
  std::string kept_;
  std::string pending_;
  std::size_t pendingLength_ = 0;
  std::size_t length_ = 0;
  unsigned char last_ = 0;
};

enum class LineKind { kOther, kSection, kKey };

// Where a line lies in the file: [start, end) is its text, [end, next) its line break.
struct Line {
  LineKind kind = LineKind::kOther;
  std::uint64_t start = 0;
  std::uint64_t end = 0;
  std::uint64_t next = 0;
  bool terminated = false;
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
  TrimmedText key_{IniFile::kMaxNameLength};
  // One byte more than a value can keep, for an opening quote that is taken off.
  TrimmedText value_{kMaxValueLength + 1};
  TrimmedText section_{IniFile::kMaxNameLength};
};

// Reads a file in chunks and splits it into lines at CR LF, LF or CR, skipping a UTF-8
// byte-order mark at the start. Memory stays at one chunk and one parsed line.
class LineScanner {
 public:
  // `size` is the file's size as last seen: a small score file needs no big buffer.
  LineScanner(int fd, std::uint64_t size) : fd_(fd), buffer_(BufferSizeFor(size)) {}

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
      const ssize_t n = ::read(fd_, buffer_.data() + length_, buffer_.size() - length_);
      if (n > 0) {
        length_ += static_cast<std::size_t>(n);
      } else if (n < 0 && errno == EINTR) {
        continue;
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
      const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
      if (n > 0) {
        pos_ = 0;
        length_ = static_cast<std::size_t>(n);
        return true;
      }
      if (n < 0 && errno == EINTR) continue;
      // A read error ends the file where it failed: a reader uses what it got, a writer
      // refuses to go on.
      if (n < 0) readFailed_ = true;
      ended_ = true;
    }
    pos_ = length_ = 0;
    return false;
  }

  int fd_;
  std::vector<char> buffer_;
  std::size_t pos_ = 0;
  std::size_t length_ = 0;
  std::uint64_t offset_ = 0;
  bool started_ = false;
  bool ended_ = false;
  bool readFailed_ = false;
  LineParser parser_;
};

// What a file holds for one section and key, and where a write would go.
struct Lookup {
  bool sectionFound = false;
  bool keyFound = false;
  Line keyLine;
  std::string keySpelling;
  std::string value;
  Line anchor;                // the last key line of the section, or its section line
  bool endsWithBreak = true;  // set when the whole file was read
  std::uint64_t size = 0;     // likewise
  bool readFailed = false;
};

Lookup Find(int fd, std::uint64_t size, const std::string& section, const std::string& key) {
  LineScanner scanner(fd, size);
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

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd = -1) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() { Close(); }
  int Get() const { return fd_; }
  bool Valid() const { return fd_ >= 0; }
  void Reset(int fd) {
    Close();
    fd_ = fd;
  }
  // True when the descriptor closed cleanly (or was not open).
  bool Close() {
    if (fd_ < 0) return true;
    const int result = ::close(fd_);
    fd_ = -1;
    return result == 0;
  }

 private:
  int fd_;
};

// A regular file opened for reading, or an invalid descriptor. A folder, a device or a pipe at
// the path is no score file; opening without blocking keeps a pipe from hanging the game.
int OpenRegularForReading(const std::string& path, std::uint64_t& size) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) return -1;
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return -1;
  }
  size = static_cast<std::uint64_t>(info.st_size);
  return fd;
}

IniFile::BeforeReplaceHook& ReplaceHook() {
  static IniFile::BeforeReplaceHook hook;
  return hook;
}

std::string DirectoryOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

std::string BaseNameOf(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  return slash == std::string::npos ? path : path.substr(slash + 1);
}

bool WriteAll(int fd, const char* data, std::size_t size) {
  while (size > 0) {
    const ssize_t n = ::write(fd, data, size);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return false;
    data += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

// Copies `count` bytes from the source's current position, or everything to its end when
// `count` is the largest value. False on any error, or when the source ends too soon.
bool CopyBytes(int from, int to, std::uint64_t count, std::uint64_t size) {
  const bool toEnd = count == std::numeric_limits<std::uint64_t>::max();
  std::vector<char> buffer(BufferSizeFor(size));
  while (count > 0) {
    const std::size_t want =
        static_cast<std::size_t>(std::min<std::uint64_t>(count, buffer.size()));
    const ssize_t n = ::read(from, buffer.data(), want);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return false;
    if (n == 0) return toEnd;
    if (!WriteAll(to, buffer.data(), static_cast<std::size_t>(n))) return false;
    if (!toEnd) count -= static_cast<std::uint64_t>(n);
  }
  return true;
}

// The temporary file beside the score file. It is removed when it goes out of scope, unless
// it was handed over for the rename.
class TemporaryFile {
 public:
  TemporaryFile(const std::string& directory, const std::string& baseName) {
    static std::atomic<unsigned> counter{0};
    for (int attempt = 0; attempt < 100 && !fd_.Valid(); ++attempt) {
      const std::string candidate = directory + "/." + baseName + "." + std::to_string(::getpid()) +
                                    "-" + std::to_string(counter++) + ".tmp";
      // Mode 0666 lets the umask decide, as for any new file.
      const int fd =
          ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
      if (fd >= 0) {
        fd_.Reset(fd);
        path_ = candidate;
      } else if (errno != EEXIST) {
        return;
      }
    }
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    fd_.Close();
    if (!path_.empty() && !handedOver_) ::unlink(path_.c_str());
  }

  bool Valid() const { return fd_.Valid(); }
  int Get() const { return fd_.Get(); }
  const std::string& Path() const { return path_; }
  bool Close() { return fd_.Close(); }
  void HandOver() { handedOver_ = true; }

 private:
  FileDescriptor fd_;
  std::string path_;
  bool handedOver_ = false;
};

// A score file reached through a symbolic link stays a link: the file it names is replaced.
std::string WriteTarget(const std::string& path) {
  struct stat info {};
  if (::lstat(path.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) return path;
  char* resolved = ::realpath(path.c_str(), nullptr);
  if (resolved == nullptr) return {};
  std::string target(resolved);
  std::free(resolved);
  return target;
}

struct Edit {
  std::uint64_t cutBegin = 0;
  std::uint64_t cutEnd = 0;
  std::string text;
};

}  // namespace

std::string IniFile::ReadString(const std::string& section, const std::string& key,
                                const std::string& fallback) const {
  const std::string sectionName = CheckedName(section, "section");
  const std::string keyName = CheckedName(key, "key");
  std::uint64_t size = 0;
  FileDescriptor fd(OpenRegularForReading(path_, size));
  if (!fd.Valid()) return fallback;
  Lookup found = Find(fd.Get(), size, sectionName, keyName);
  return found.keyFound ? std::move(found.value) : fallback;
}

std::int32_t IniFile::ReadInteger(const std::string& section, const std::string& key,
                                  std::int32_t fallback) const {
  return ParseProfileInteger(ReadString(section, key, std::string()), fallback);
}

void IniFile::WriteInteger(const std::string& section, const std::string& key, std::int32_t value) {
  WriteString(section, key, std::to_string(value));
}

void IniFile::WriteString(const std::string& section, const std::string& key,
                          const std::string& value) {
  const std::string sectionName = CheckedName(section, "section");
  const std::string keyName = CheckedName(key, "key");
  if (sectionName.find(']') != std::string::npos)
    throw std::invalid_argument("section name holds \"]\"");
  if (keyName.find('=') != std::string::npos ||
      (!keyName.empty() && (keyName[0] == ';' || keyName[0] == '[')))
    throw std::invalid_argument("key name cannot stand at the start of a key line");

  // A line break inside the value would start new lines of the file.
  std::string flat = value;
  std::replace(flat.begin(), flat.end(), '\r', ' ');
  std::replace(flat.begin(), flat.end(), '\n', ' ');

  const auto refuse = [this]() { return WriteError("Unable to write to " + path_); };

  const std::string target = WriteTarget(path_);
  if (target.empty()) throw refuse();

  FileDescriptor source;
  struct stat info {};
  bool exists = false;
  std::uint64_t size = 0;
  if (::stat(target.c_str(), &info) == 0) {
    exists = true;
    size = static_cast<std::uint64_t>(info.st_size);
    if (!S_ISREG(info.st_mode)) throw refuse();
    // No write permission bit at all is read-only for everyone: the superuser could write
    // anyway, but a player who marked the file read-only expects it to stay as it is.
    if ((info.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) throw refuse();
    if (::access(target.c_str(), W_OK) != 0) throw refuse();
    source.Reset(::open(target.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY));
    if (!source.Valid()) throw refuse();
  } else if (errno != ENOENT) {
    throw refuse();
  }

  Edit edit;
  if (!exists) {
    edit.text = "[" + sectionName + "]\r\n" + keyName + "=" + flat + "\r\n";
  } else {
    const Lookup found = Find(source.Get(), size, sectionName, keyName);
    if (found.readFailed) throw refuse();
    if (found.keyFound) {
      edit = {found.keyLine.start, found.keyLine.next, found.keySpelling + "=" + flat + "\r\n"};
    } else if (found.sectionFound) {
      const std::uint64_t at = found.anchor.next;
      edit = {at, at, (found.anchor.terminated ? "" : "\r\n") + keyName + "=" + flat + "\r\n"};
    } else {
      edit = {found.size, found.size,
              std::string(found.endsWithBreak ? "" : "\r\n") + "[" + sectionName + "]\r\n" +
                  keyName + "=" + flat + "\r\n"};
    }
  }

  TemporaryFile temporary(DirectoryOf(target), BaseNameOf(target));
  if (!temporary.Valid()) throw refuse();
  if (exists) {
    if (::lseek(source.Get(), 0, SEEK_SET) != 0 ||
        !CopyBytes(source.Get(), temporary.Get(), edit.cutBegin, size) ||
        !WriteAll(temporary.Get(), edit.text.data(), edit.text.size()) ||
        ::lseek(source.Get(), static_cast<off_t>(edit.cutEnd), SEEK_SET) !=
            static_cast<off_t>(edit.cutEnd) ||
        !CopyBytes(source.Get(), temporary.Get(), std::numeric_limits<std::uint64_t>::max(), size))
      throw refuse();
    // The owner stays where the system allows it; the permissions stay in any case.
    if (::fchown(temporary.Get(), info.st_uid, info.st_gid) != 0) {
      // Only the superuser may give a file away; others keep their own files anyway.
    }
    if (::fchmod(temporary.Get(), info.st_mode & 07777) != 0) throw refuse();
  } else if (!WriteAll(temporary.Get(), edit.text.data(), edit.text.size())) {
    throw refuse();
  }
  if (::fsync(temporary.Get()) != 0 || !temporary.Close()) throw refuse();
  source.Close();

  // From here on the temporary file is whole: a crash leaves it beside an intact old file.
  temporary.HandOver();
  if (ReplaceHook()) ReplaceHook()(temporary.Path());
  if (::rename(temporary.Path().c_str(), target.c_str()) != 0) {
    ::unlink(temporary.Path().c_str());
    throw refuse();
  }
  FileDescriptor directory(::open(DirectoryOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (directory.Valid() && ::fsync(directory.Get()) != 0) {
    // The rename is done; flushing the folder only hurries it to the disk.
  }
}

void IniFile::SetBeforeReplaceHook(BeforeReplaceHook hook) {
  ReplaceHook() = std::move(hook);
}

std::int32_t ParseProfileInteger(const std::string& text, std::int32_t fallback) {
  const std::size_t size = text.size();
  std::size_t i = 0;
  while (i < size && IsBlank(static_cast<unsigned char>(text[i]))) ++i;
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
