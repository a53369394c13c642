#include "scores/IniText.h"

#include <algorithm>

namespace quenlow::ini {
namespace {

unsigned char FoldCase(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

}  // namespace

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

void TrimmedText::Clear() {
  kept_.clear();
  pending_.clear();
  pendingLength_ = 0;
  length_ = 0;
  last_ = 0;
}

void TrimmedText::Add(unsigned char c) {
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

void TrimmedText::Keep(const char* bytes, std::size_t count) {
  kept_.append(bytes, std::min(count, cap_ - kept_.size()));
}

}  // namespace quenlow::ini
