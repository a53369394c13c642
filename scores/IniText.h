#pragma once
// How the score file compares and trims its text: blanks are spaces and tabs, names match
// without regard to ASCII case (the bytes of double-byte characters compare as they are), and
// a run of text keeps at most a fixed number of bytes however long it is.

#include <cstddef>
#include <string>

namespace quenlow::ini {

inline bool IsBlank(unsigned char c) {
  return c == ' ' || c == '\t';
}

bool SameName(const std::string& a, const std::string& b);
std::string TrimBlanks(const std::string& text);

// A run of text without its leading and trailing blanks, of which at most `cap` bytes are
// kept however long the run is. Blanks are held back until a non-blank follows them, so that
// trailing blanks never count.
class TrimmedText {
 public:
  explicit TrimmedText(std::size_t cap) : cap_(cap) {}

  void Clear();
  void Add(unsigned char c);

  const std::string& Kept() const { return kept_; }
  std::size_t Length() const { return length_; }
  bool Complete() const { return kept_.size() == length_; }
  unsigned char Last() const { return last_; }

 private:
  void Keep(const char* bytes, std::size_t count);

  std::size_t cap_;
  std::string kept_;
  std::string pending_;
  std::size_t pendingLength_ = 0;
  std::size_t length_ = 0;
  unsigned char last_ = 0;
};

}  // namespace quenlow::ini
