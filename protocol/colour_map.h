#pragma once

// The 384-byte per-key colour map: red, green and blue of matrix index n at 3n..3n+2.
// The custom lighting mode and the streamed music frames share this layout.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

#include "store/records.h"

namespace keyloom {

inline constexpr std::size_t kColourMapSize = 384;

using ColourMap = std::array<std::uint8_t, kColourMapSize>;

// Puts a 0x00BBGGRR colour at the key's matrix index. Returns false (and changes
// nothing) for a key without a matrix index.
bool SetColourMapEntry(ColourMap& map, int key_code, int colour);

// The map of the stored key colours; keys not listed and positions without a key stay off.
ColourMap BuildColourMap(std::span<const KeyColour> colours);

}  // namespace keyloom
