#pragma once

// The one keyboard the program knows: its 109 keys with their labels, usage codes, positions
// in the keyboard's matrix and rectangles in the keyboard picture, and the conversions
// between usage codes and matrix indices.

#include <array>
#include <cstddef>
#include <string_view>

namespace keyloom {

inline constexpr std::size_t kKeyCount = 109;
// Matrix positions 0..124 exist (column x 6 + row); the device's maps have 128 slots.
inline constexpr int kMatrixPositions = 125;
inline constexpr int kMatrixSlots = 128;

// The keyboard's own keys, which the HID keyboard page has no usage for.
inline constexpr unsigned kUsageVolumeUp = 0xD1;
inline constexpr unsigned kUsageVolumeDown = 0xD2;
inline constexpr unsigned kUsageMute = 0xD3;
inline constexpr unsigned kUsageCalculator = 0xD4;
inline constexpr unsigned kUsageFn = 0xFF;

struct KeyLayoutRow {
    std::wstring_view label;  // shown on the key
    unsigned usage;
    int matrix_index;
    // Relative to the key area of the keyboard picture.
    int left;
    int top;
    int width;
    int height;
};

// In the order keys are added to a keyboard picture.
extern const std::array<KeyLayoutRow, kKeyCount> KeyLayoutTable;

// The key's matrix index, or -1 for a usage code the keyboard has no key for.
int UsageToMatrixIndex(unsigned usage);
// The usage code of the key at `index`, or 0 for an empty position or an index out of range.
unsigned MatrixIndexToUsage(int index);

}  // namespace keyloom
