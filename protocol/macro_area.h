#pragma once

// The macro area: the 3584-byte image of every macro that the keyboard plays. A 64-byte
// table of 32 little-endian start offsets, then 4-byte steps of each macro in turn.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "store/records.h"

namespace keyloom {

inline constexpr std::size_t kMacroAreaSize = 3584;
inline constexpr std::size_t kMacroOffsetTableSize = 64;
inline constexpr std::size_t kMacroStepSize = 4;
inline constexpr std::size_t kMaxMacrosInArea = kMacroOffsetTableSize / 2;

// One macro as the store lists it, with its steps in `record_index` order.
struct MacroSteps {
    int macro_id = 0;
    std::vector<MacroEvent> events;
};

struct MacroArea {
    std::array<std::uint8_t, kMacroAreaSize> bytes{};
    std::size_t used_length = kMacroOffsetTableSize;
    // Ids of the macros that have an offset entry, in area order: a key's Macro entry
    // carries the position in this list.
    std::vector<int> macro_ids;
    // Macros the area could not hold whole: beyond the 32nd, or with steps that no longer
    // fit. The keyboard receives them without steps rather than cut off mid-way.
    std::vector<int> left_out;
};

// The 4 bytes of one step; `is_last` marks the macro's final step.
std::array<std::uint8_t, kMacroStepSize> EncodeMacroStep(const MacroEvent& event, bool is_last);

// Ids of the macros that get an offset entry, from the store's list order: a key's
// Macro entry carries the position in this list.
std::vector<int> MacroAreaOrder(std::span<const MacroInfo> macros);

// Builds the area from the macros in list order.
MacroArea BuildMacroArea(std::span<const MacroSteps> macros);

}  // namespace keyloom
