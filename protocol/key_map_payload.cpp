#include "protocol/key_map_payload.h"

#include <algorithm>

#include "protocol/key_entry.h"

namespace keyloom {
namespace {

void ApplyLayer(KeyMap& map, std::span<const KeyAssignment> assignments, std::size_t layer,
                std::span<const int> macro_ids_in_area) {
    for (const KeyAssignment& assignment : assignments) {
        if (assignment.macro_type == 0) {
            continue;
        }
        const int index = UsageToMatrixIndex(static_cast<unsigned>(assignment.key_code));
        if (index < 0 || index >= kMatrixSlots) {
            continue;
        }
        const std::size_t at = kSlotSize * static_cast<std::size_t>(index) + kEntrySize * layer;
        EncodeKeyEntry(assignment, macro_ids_in_area,
                       std::span<std::uint8_t, kEntrySize>(map.data() + at, kEntrySize));
    }
}

}  // namespace

KeyMap BuildKeyMap(std::span<const std::uint8_t, kKeyMapSize> base,
                   std::span<const KeyAssignment> standard_layer,
                   std::span<const KeyAssignment> fn_layer,
                   std::span<const int> macro_ids_in_area) {
    KeyMap map{};
    std::copy(base.begin(), base.end(), map.begin());
    ApplyLayer(map, standard_layer, 0, macro_ids_in_area);
    ApplyLayer(map, fn_layer, 1, macro_ids_in_area);
    return map;
}

std::vector<StaleAssignment> FindStaleAssignments(
    std::span<const std::uint8_t, kKeyMapSize> map,
    std::span<const std::uint8_t, kKeyMapSize> second) {
    std::vector<StaleAssignment> stale;
    for (int index = 0; index < kMatrixSlots; ++index) {
        const int usage = static_cast<int>(MatrixIndexToUsage(index));
        if (usage == 0) {
            continue;
        }
        for (std::size_t layer = 0; layer < 2; ++layer) {
            const std::size_t at = kSlotSize * static_cast<std::size_t>(index) + kEntrySize * layer;
            if (std::equal(map.begin() + at, map.begin() + at + kEntrySize, second.begin() + at)) {
                stale.push_back({usage, static_cast<int>(layer)});
            }
        }
    }
    return stale;
}

}  // namespace keyloom
