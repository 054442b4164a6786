#include "protocol/key_entry.h"

#include <algorithm>

#include "keys/key_codes.h"

namespace keyloom {
namespace {

// Stored functions (`macro_type`); 4 is not used.
enum class Function : int {
    kDefault = 0,
    kDisable = 1,
    kKeyboard = 2,
    kMacro = 3,
    kMouse = 5,
    kMultimedia = 6,
    kWindowsShortcut = 7,
    kApplication = 8,
    kWebsite = 9,
    kSendText = 10,
};

constexpr std::uint8_t kKindKeyboard = 0x10;
constexpr std::uint8_t kKindMouseButton = 0x20;
constexpr std::uint8_t kKindMouseWheel = 0x21;
constexpr std::uint8_t kKindConsumer = 0x30;
constexpr std::uint8_t kKindApplication = 0x50;
constexpr std::uint8_t kKindWebsiteOrText = 0x60;
constexpr std::uint8_t kKindMacro = 0x70;
constexpr std::uint8_t kKindSwitchWindows = 0xF0;

std::uint8_t LowByte(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

std::uint8_t ModifierBit(int usage) {
    return static_cast<std::uint8_t>(ModifierUsageToBit(static_cast<unsigned>(usage)) & 0xFF);
}

void Put(std::span<std::uint8_t, 3> entry, std::uint8_t b0, std::uint8_t b1, std::uint8_t b2) {
    entry[0] = b0;
    entry[1] = b1;
    entry[2] = b2;
}

void EncodeKeyboard(const KeyAssignment& a, std::span<std::uint8_t, 3> entry) {
    if (a.macro_value2 != 0) {
        Put(entry, kKindKeyboard, ModifierBit(a.macro_value2), LowByte(a.macro_value));
    } else if (a.macro_value >= 0xE0 && a.macro_value <= 0xE7) {
        Put(entry, kKindKeyboard, 0x00, ModifierBit(a.macro_value));
    } else {
        Put(entry, kKindKeyboard, 0x00, LowByte(a.macro_value));
    }
}

void EncodeMouse(int option, std::span<std::uint8_t, 3> entry) {
    switch (option) {
        case 1:
            Put(entry, kKindMouseButton, 0x01, 0x00);
            return;
        case 2:
            Put(entry, kKindMouseButton, 0x04, 0x00);
            return;
        case 3:
            Put(entry, kKindMouseButton, 0x02, 0x00);
            return;
        case 7:
            Put(entry, kKindMouseButton, 0x08, 0x00);
            return;
        case 8:
            Put(entry, kKindMouseButton, 0x10, 0x00);
            return;
        case 5:
            Put(entry, kKindMouseWheel, 0x00, 0x01);
            return;
        case 6:
            Put(entry, kKindMouseWheel, 0x00, 0xFF);
            return;
        default:
            // An option the keyboard does not know: the kind is set, the button byte
            // keeps the base map's value.
            entry[0] = kKindMouseButton;
            entry[2] = 0x00;
            return;
    }
}

bool EncodeMultimedia(int option, std::span<std::uint8_t, 3> entry) {
    // Consumer-page usages of Play/Pause, Stop, Previous, Next, Volume +, Volume -, Mute.
    static constexpr std::array<std::uint8_t, 7> kConsumerUsage = {0xCD, 0xB7, 0xB6, 0xB5,
                                                                   0xE9, 0xEA, 0xE2};
    if (option < 1 || option > static_cast<int>(kConsumerUsage.size())) {
        return false;
    }
    Put(entry, kKindConsumer, kConsumerUsage[static_cast<std::size_t>(option - 1)], 0x00);
    return true;
}

void EncodeWindowsShortcut(int option, std::span<std::uint8_t, 3> entry) {
    constexpr std::uint8_t kCtrl = 0x01;
    constexpr std::uint8_t kShift = 0x02;
    constexpr std::uint8_t kGui = 0x08;
    switch (option) {
        case 1:
            Put(entry, kKindKeyboard, kGui, 0x07);
            return;  // Windows + D
        case 2:
            Put(entry, kKindKeyboard, kGui, 0x08);
            return;  // Windows + E
        case 3:
            Put(entry, kKindKeyboard, kGui, 0x0F);
            return;  // Windows + L
        case 4:
            Put(entry, kKindKeyboard, kCtrl, 0x1A);
            return;  // Ctrl + W
        case 5:
            Put(entry, kKindSwitchWindows, 0xA6, 0x00);
            return;
        case 6:
            Put(entry, kKindKeyboard, kCtrl, 0x06);
            return;  // Ctrl + C
        case 7:
            Put(entry, kKindKeyboard, kCtrl, 0x19);
            return;  // Ctrl + V
        case 8:
            Put(entry, kKindKeyboard, kCtrl, 0x1B);
            return;  // Ctrl + X
        case 10:
            Put(entry, kKindKeyboard, kShift, 0x02);
            return;
        case 11:
            Put(entry, kKindKeyboard, kShift, 0x01);
            return;
        default:
            entry[0] = kKindKeyboard;
            return;
    }
}

}  // namespace

bool EncodeKeyEntry(const KeyAssignment& assignment, std::span<const int> macro_ids_in_area,
                    std::span<std::uint8_t, 3> entry) {
    switch (static_cast<Function>(assignment.macro_type)) {
        case Function::kDisable:
            Put(entry, kKindKeyboard, 0x00, 0x00);
            return true;
        case Function::kKeyboard:
            EncodeKeyboard(assignment, entry);
            return true;
        case Function::kMacro: {
            const auto found = std::find(macro_ids_in_area.begin(), macro_ids_in_area.end(),
                                         assignment.macro_value);
            if (found == macro_ids_in_area.end()) {
                return false;
            }
            Put(entry, kKindMacro, LowByte(static_cast<int>(found - macro_ids_in_area.begin())),
                0x01);
            return true;
        }
        case Function::kMouse:
            EncodeMouse(assignment.macro_value, entry);
            return true;
        case Function::kMultimedia:
            return EncodeMultimedia(assignment.macro_value, entry);
        case Function::kWindowsShortcut:
            EncodeWindowsShortcut(assignment.macro_value, entry);
            return true;
        case Function::kApplication:
            // The keyboard reports the action id back in one byte.
            Put(entry, kKindApplication, LowByte(assignment.macro_value), 0x00);
            return true;
        case Function::kWebsite:
        case Function::kSendText:
            Put(entry, kKindWebsiteOrText, LowByte(assignment.macro_value), 0x00);
            return true;
        case Function::kDefault:
        default:
            return false;
    }
}

}  // namespace keyloom
