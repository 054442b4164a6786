#pragma once

// The visualiser's 256 × 64 images: colours 0x00BBGGRR, row by row, row 0 at the top, so the
// pixel of column x and row y is element y × 256 + x.

#include <array>
#include <cstddef>
#include <cstdint>

namespace keyloom {

inline constexpr int kImageWidth = 256;
inline constexpr int kImageHeight = 64;
inline constexpr std::size_t kImagePixels = std::size_t{kImageWidth} * kImageHeight;
inline constexpr int kLevelCount = 256;

using FrameImage = std::array<uint32_t, kImagePixels>;
using LevelArray = std::array<float, kLevelCount>;

constexpr std::size_t PixelIndex(int x, int y) {
    return static_cast<std::size_t>(y) * kImageWidth + static_cast<std::size_t>(x);
}

constexpr uint32_t PackColour(uint32_t red, uint32_t green, uint32_t blue) {
    return (blue << 16) | (green << 8) | red;
}

}  // namespace keyloom
