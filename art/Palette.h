#pragma once
// The 16 colours every picture of the game is drawn in. The order is part of the game: marks
// on the board work on the indices, and inverting a pixel turns index i into 15 - i, which
// swaps black with white and grey with silver.

#include <array>
#include <cstdint>

namespace quenlow::art {

// 0xRRGGBB, by palette index.
inline constexpr std::array<std::uint32_t, 16> kPaletteRgb = {
    0x000000,  // 0 black
    0x800000,  // 1 maroon
    0x008000,  // 2 green
    0x808000,  // 3 olive
    0x000080,  // 4 navy
    0x800080,  // 5 purple
    0x008080,  // 6 teal
    0x808080,  // 7 grey
    0xC0C0C0,  // 8 silver
    0xFF0000,  // 9 red
    0x00FF00,  // 10 lime
    0xFFFF00,  // 11 yellow
    0x0000FF,  // 12 blue
    0xFF00FF,  // 13 fuchsia
    0x00FFFF,  // 14 aqua
    0xFFFFFF,  // 15 white
};

inline constexpr int kBlack = 0;
inline constexpr int kGrey = 7;
inline constexpr int kSilver = 8;
inline constexpr int kYellow = 11;
inline constexpr int kBlue = 12;
inline constexpr int kFuchsia = 13;
inline constexpr int kWhite = 15;

inline constexpr int kTileWidth = 40;
inline constexpr int kTileHeight = 50;
inline constexpr int kBoardWidth = 640;
inline constexpr int kBoardHeight = 550;
inline constexpr int kIconSize = 32;
// The tiles and the pause picture are also drawn at 2, 3 and 4 times their size, for screens
// that show several pixels per picture pixel.
inline constexpr int kLargestScale = 4;

}  // namespace quenlow::art
