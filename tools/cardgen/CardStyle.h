// The look of the card pictures, in one place for the painter and its tests.
#pragma once

#include <cstdint>

namespace cardgen {

// Three times the game's 70 x 160 card face, so that stretching a picture onto the face
// keeps its proportions.
inline constexpr int kCardWidth = 210;
inline constexpr int kCardHeight = 480;
// The green edge (4 px on the face) and the ivory left between it and the text.
inline constexpr int kBorder = 12;
inline constexpr int kMargin = 6;

// Pick-up cards carry the lower phrase in three vertical columns, right to left, five
// characters each; the last column takes what is left, up to six.
inline constexpr int kColumns = 3;
inline constexpr int kColumnLength = 5;
inline constexpr int kMaxCharacters = 16;

// The text block inside the margin: three equal column bands, and each column spread over
// the block's height with a pitch of 1/5 (1/6 for a column of six).
inline constexpr int kBlockLeft = kBorder + kMargin;
inline constexpr int kBlockTop = kBorder + kMargin;
inline constexpr int kBlockWidth = kCardWidth - 2 * kBlockLeft;
inline constexpr int kBlockHeight = kCardHeight - 2 * kBlockTop;
inline constexpr int kColumnPitch = kBlockWidth / kColumns;
// As large as a column allows, leaving a little space between neighbouring columns.
inline constexpr int kGlyphSize = kColumnPitch - 4;
static_assert(kBlockWidth % kColumns == 0);
static_assert(kGlyphSize * 6 < kBlockHeight, "a column of six must still have gaps");

// Colours as 0xAARRGGBB.
inline constexpr std::uint32_t kGreen = 0xFF2F6B3E;
inline constexpr std::uint32_t kIvory = 0xFFFAF4E1;
inline constexpr std::uint32_t kInk = 0xFF1C1A17;

// The installed mincho face the characters are drawn in.
inline constexpr const char* kMinchoFamily = "IPAMincho";

}  // namespace cardgen
