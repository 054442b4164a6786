#pragma once

// The preset key colours of the keyboard picture's light modes: one colour per key row
// for the single-colour look, and the rainbow map. Keys are USB HID usage codes (the
// keyboard's own keys 0xD1-0xD4, Fn 0xFF).

#include <span>
#include <vector>

#include "tessera/platform/geometry.h"

namespace Tessera {

struct PresetColorRow {
    COLORREF color;
    std::vector<unsigned> codes;
};

// Applied in order; a later row would win for a code listed twice.
std::span<const PresetColorRow> SingleColorRows();
std::span<const PresetColorRow> RainbowRows();

}  // namespace Tessera
