#pragma once

// The keyboard's 768-byte key map: 128 slots of 6 bytes, one per matrix index, bytes
// 0..2 the key's entry on the standard layer and 3..5 on the Fn layer.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "keys/key_layout.h"
#include "store/records.h"

namespace keyloom {

inline constexpr std::size_t kKeyMapSize = 768;
inline constexpr std::size_t kSlotSize = 6;
inline constexpr std::size_t kEntrySize = 3;

using KeyMap = std::array<std::uint8_t, kKeyMapSize>;

// The map to write: `base` (the map as last read from the keyboard) with the entry of
// every stored assignment of a key that has a matrix index written into its slot and
// layer. Later assignments for the same slot win.
KeyMap BuildKeyMap(std::span<const std::uint8_t, kKeyMapSize> base,
                   std::span<const KeyAssignment> standard_layer,
                   std::span<const KeyAssignment> fn_layer, std::span<const int> macro_ids_in_area);

// A stored assignment the keyboard no longer carries.
struct StaleAssignment {
    int key_code = 0;
    int fn_layer = 0;

    bool operator==(const StaleAssignment&) const = default;
};

// Keys whose entry in the keyboard's map equals, in all three bytes, the entry in its
// second (factory) map: the keyboard does not carry a remapping there, so a stored
// assignment for that key and layer is stale. Positions without a key are never listed.
std::vector<StaleAssignment> FindStaleAssignments(
    std::span<const std::uint8_t, kKeyMapSize> map,
    std::span<const std::uint8_t, kKeyMapSize> second);

}  // namespace keyloom
