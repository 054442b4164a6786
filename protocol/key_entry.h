#pragma once

// The 3-byte entry that tells the keyboard what one key does on one layer: a kind byte
// and two value bytes, placed in the key map's 6-byte slot of the key's matrix index.

#include <array>
#include <cstdint>
#include <span>

#include "store/records.h"

namespace keyloom {

using KeyEntry = std::array<std::uint8_t, 3>;

// `macro_ids_in_area` lists the ids of the macros the macro area holds, in their area
// order; a Macro entry carries the position of its macro in that list.
// Writes the entry of `assignment` over `entry`, which holds the base map's bytes on
// entry: some functions set only part of it and keep the rest. Returns false when the
// assignment leaves the entry untouched (Default, an unknown function or option, a macro
// the keyboard does not hold).
bool EncodeKeyEntry(const KeyAssignment& assignment, std::span<const int> macro_ids_in_area,
                    std::span<std::uint8_t, 3> entry);

}  // namespace keyloom
