#pragma once
// What both score-file fuzzers share: the sections and keys they read after every input (the
// game's own, other spellings of them, an empty name and one with a blank inside), how two
// names compare, and how a failed check ends the run.

#include <array>
#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace quenlow::fuzz {

inline constexpr std::array<const char*, 6> kSections = {"easy",  "normal", "hard",
                                                         "EASY",  "",       "x y"};
inline constexpr std::array<const char*, 5> kKeys = {"name", "score", "NAME", "k", ""};

// Aborts, so that libFuzzer keeps the input that broke the check.
inline void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "score-file fuzzer: %s\n", what);
  std::abort();
}

// Names match without regard to ASCII case; written out here again rather than taken from the
// score-file code, so that the fuzzers check that code against a rule of their own.
inline bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    auto fold = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

}  // namespace quenlow::fuzz
