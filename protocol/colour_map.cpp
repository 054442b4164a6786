#include "protocol/colour_map.h"

#include "keys/key_layout.h"
#include "protocol/key_map_payload.h"

namespace keyloom {

bool SetColourMapEntry(ColourMap& map, int key_code, int colour) {
    const int index = UsageToMatrixIndex(static_cast<unsigned>(key_code));
    if (index < 0 || index >= kMatrixSlots) {
        return false;
    }
    const std::size_t at = 3 * static_cast<std::size_t>(index);
    map[at] = static_cast<std::uint8_t>(colour & 0xFF);
    map[at + 1] = static_cast<std::uint8_t>((colour >> 8) & 0xFF);
    map[at + 2] = static_cast<std::uint8_t>((colour >> 16) & 0xFF);
    return true;
}

ColourMap BuildColourMap(std::span<const KeyColour> colours) {
    ColourMap map{};
    for (const KeyColour& colour : colours) {
        SetColourMapEntry(map, colour.key_code, colour.key_rgb);
    }
    return map;
}

}  // namespace keyloom
