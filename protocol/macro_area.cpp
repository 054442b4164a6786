#include "protocol/macro_area.h"

#include <algorithm>

#include "keys/key_codes.h"

namespace keyloom {
namespace {

// Kinds of a macro step (`MacroEvent::type`).
enum class StepKind : int { kKeyDown = 2, kKeyUp = 3, kMouseDown = 4, kMouseUp = 5 };

std::uint8_t KeyUsage(int virtual_key) {
    return static_cast<std::uint8_t>(VirtualKeyToUsage(static_cast<unsigned>(virtual_key)) & 0xFF);
}

}  // namespace

std::array<std::uint8_t, kMacroStepSize> EncodeMacroStep(const MacroEvent& event, bool is_last) {
    // The keyboard waits at least 1 ms; the two delay bytes cannot hold more than 65535.
    const int delay = std::clamp(event.delay_time, 1, 0xFFFF);
    std::uint8_t flags = 0x00;
    std::uint8_t code = 0x00;
    switch (static_cast<StepKind>(event.type)) {
        case StepKind::kKeyDown:
            flags = 0x42;
            code = KeyUsage(event.value);
            break;
        case StepKind::kKeyUp:
            flags = is_last ? 0x82 : 0x02;
            code = KeyUsage(event.value);
            break;
        case StepKind::kMouseDown:
            flags = 0xC2;
            code = static_cast<std::uint8_t>(event.value & 0xFF);
            break;
        case StepKind::kMouseUp:
            flags = 0x82;
            code = static_cast<std::uint8_t>(event.value & 0xFF);
            break;
        default:
            break;
    }
    return {static_cast<std::uint8_t>(delay & 0xFF), static_cast<std::uint8_t>(delay >> 8), flags,
            code};
}

std::vector<int> MacroAreaOrder(std::span<const MacroInfo> macros) {
    std::vector<int> ids;
    for (const MacroInfo& macro : macros.first(std::min(macros.size(), kMaxMacrosInArea))) {
        ids.push_back(macro.macro_id);
    }
    return ids;
}

MacroArea BuildMacroArea(std::span<const MacroSteps> macros) {
    MacroArea area;
    std::size_t position = 0;
    for (const MacroSteps& macro : macros) {
        if (position >= kMaxMacrosInArea) {
            area.left_out.push_back(macro.macro_id);
            continue;
        }
        const std::size_t start = area.used_length;
        area.bytes[2 * position] = static_cast<std::uint8_t>(start & 0xFF);
        area.bytes[2 * position + 1] = static_cast<std::uint8_t>(start >> 8);
        area.macro_ids.push_back(macro.macro_id);
        ++position;

        const std::size_t needed = kMacroStepSize * macro.events.size();
        if (needed > kMacroAreaSize - start) {
            area.left_out.push_back(macro.macro_id);
            continue;
        }
        for (std::size_t i = 0; i < macro.events.size(); ++i) {
            const auto step = EncodeMacroStep(macro.events[i], i + 1 == macro.events.size());
            std::copy(step.begin(), step.end(), area.bytes.begin() + area.used_length);
            area.used_length += kMacroStepSize;
        }
    }
    return area;
}

}  // namespace keyloom
