#pragma once

// The music light frame: the frame image sampled at the 6 × 23 key grid, the key colours
// that the music page shows, and the 384-byte colour map streamed to the keyboard.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "music/frame_image.h"
#include "music/visualizer.h"
#include "protocol/colour_map.h"

namespace keyloom {

inline constexpr int kKeyGridRows = 6;
inline constexpr int kKeyGridColumns = 23;
inline constexpr std::size_t kKeyGridPoints = std::size_t{kKeyGridRows} * kKeyGridColumns;

// Usage code named by each grid point (0: no key).
extern const std::array<std::array<uint8_t, kKeyGridColumns>, kKeyGridRows> kMusicKeyGrid;

// Image row and column of grid row r and grid column k; row 0 of the image (the bass bar)
// is never sampled.
constexpr int KeyGridImageRow(int r) {
    return 7 + 10 * r;
}
constexpr int KeyGridImageColumn(int k) {
    return 11 * k;
}

struct MusicKeyColour {
    int usage = 0;
    uint32_t colour = 0;  // 0x00BBGGRR
};

struct MusicKeyColours {
    std::array<MusicKeyColour, kKeyGridPoints> keys{};
    std::size_t count = 0;
    // Some colour is above 1: only then is the frame sent.
    bool lit = false;

    std::span<const MusicKeyColour> Keys() const { return {keys.data(), count}; }
};

// The colour of every grid point that names a key, in grid order.
MusicKeyColours SampleKeyColours(const FrameImage& image);

// The same from the visualiser's published image, read while it cannot be swapped (the
// worker's frame build).
MusicKeyColours SamplePublishedKeyColours(const Visualizer& visualizer);

// The colour map of the sampled keys; keys without a matrix index are skipped.
ColourMap BuildMusicPayload(std::span<const MusicKeyColour> keys);

}  // namespace keyloom
