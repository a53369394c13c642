#pragma once
// The records that the save-loop helper stores, one after another, and the score file it
// starts from. The interrupted-save test builds every content the file may legally hold from
// the same sequence, written out by hand rather than through the score-file code.

#include <array>
#include <cstdint>
#include <string>

namespace quenlow::torture {

// Records cycle with this period; together with the three difficulties the file returns to an
// earlier content after 3 * kValues saves.
constexpr int kValues = 4;

// Names of different lengths, so that a file cut short or spliced from two versions cannot
// pass for a whole one; one is empty, one is Chinese. The game holds a name as text and the
// file keeps it in code page 936.
struct SaveNameForms {
  std::string text;
  std::string bytes;
};
inline SaveNameForms SaveName(int value) {
  switch (value % kValues) {
    case 0:
      return {"", ""};
    case 1:
      return {"张三", "\xd5\xc5\xc8\xfd"};
    case 2:
      return {std::string(40, 'b'), std::string(40, 'b')};
    default:
      return {std::string(255, 'c'), std::string(255, 'c')};
  }
}

// Scores of different lengths too, one of them negative.
inline std::int32_t SaveScore(int value) {
  constexpr std::array<std::int32_t, kValues> kScores{50, 2147483600, -350, 123450};
  return kScores[value % kValues];
}

// The save of step `step`: its difficulty (1..3) and the index of its record.
inline int SaveDifficulty(long step) {
  return static_cast<int>(step % 3) + 1;
}
inline int SaveValue(long step) {
  return static_cast<int>(step % kValues);
}

struct FileState {
  std::array<std::string, 4> names;
  std::array<std::string, 4> scores;  // as written in the file
};

inline FileState StartState() {
  return FileState{{"", "Old Easy", "", "\xc0\xee\xcb\xc4"}, {"", "100", "0", "-5"}};
}

// The whole file for a state. A long section that no save touches sits in the middle, so that
// every save copies a good deal of data and a torn write leaves a visibly different file.
inline std::string RenderFile(const FileState& s) {
  std::string text = "; best scores\r\n";
  text += "[easy]\r\nname=" + s.names[1] + "\r\nscore=" + s.scores[1] + "\r\n";
  text += "[notes]\r\n";
  for (int i = 0; i < 3000; ++i) {
    text += "line" + std::to_string(i) + "=" + std::string(60, static_cast<char>('a' + i % 26)) +
            "\r\n";
  }
  text += "[normal]\r\nscore=" + s.scores[2] + "\r\nname=" + s.names[2] + "\r\n";
  text += "\r\n[hard]\r\nname=" + s.names[3] + "\r\nscore=" + s.scores[3] + "\r\n";
  return text;
}

}  // namespace quenlow::torture
