#include "keys/key_display_name.h"

#include <array>
#include <string_view>

#include "platform/key_names.h"

namespace keyloom {
namespace {

constexpr unsigned kHookExtended = 0x01;
constexpr unsigned kHookKeyUp = 0x80;

// Scan codes of the keypad keys without the extended flag, and their Num Lock-on codes.
struct KeypadRow {
    unsigned scan_code;
    unsigned virtual_key;
};
constexpr std::array<KeypadRow, 11> kKeypad = {{
    {71, 103},
    {72, 104},
    {73, 105},  // 7 8 9
    {75, 100},
    {76, 101},
    {77, 102},  // 4 5 6
    {79, 97},
    {80, 98},
    {81, 99},  // 1 2 3
    {82, 96},
    {83, 110},  // 0 decimal
}};
constexpr unsigned kKeypadEnterScanCode = 28;
constexpr unsigned kKeypadEnterVk = 108;

struct FixedName {
    unsigned virtual_key;
    unsigned code_kept;
    std::wstring_view text;
    bool raw_input;  // also named so on the key assignment page, not only by the recorder
};
constexpr std::array<FixedName, 34> kFixedNames = {{
    {16, 160, L"Shift", true},
    {17, 162, L"Ctrl", true},
    {18, 164, L"Alt", true},
    {19, 19, L"Pause", true},
    {44, 44, L"Print Screen", true},
    {91, 91, L"Windows", true},
    {92, 92, L"RWindows", true},
    {93, 93, L"Application", true},
    {144, 144, L"Num Lock", true},
    {160, 160, L"Shift", true},
    {161, 161, L"RShift", true},
    {162, 162, L"Ctrl", true},
    {163, 163, L"RCtrl", true},
    {164, 164, L"Alt", true},
    {165, 165, L"RAlt", true},
    {166, 166, L"Web-Backward", false},
    {167, 167, L"Web-Forward", false},
    {168, 168, L"Web-Refresh", false},
    {169, 169, L"Web-Stop", false},
    {170, 170, L"Web-Search", false},
    {171, 171, L"Web-Favorites", false},
    {172, 172, L"Web-Home", false},
    {173, 173, L"Vol Mute", false},
    {174, 174, L"Vol Down", false},
    {175, 175, L"Vol Up", false},
    {176, 176, L"Next Track", false},
    {177, 177, L"Prev Track", false},
    {178, 178, L"Stop", false},
    {179, 179, L"Play/Pause", false},
    {180, 180, L"EMail", false},
    {181, 181, L"Multimedia", false},
    {182, 182, L"My Computer", false},
    {183, 183, L"Calculator", false},
    {226, 226, L"><", true},
}};

unsigned NormaliseHookKeypad(const CapturedKeyEvent& event) {
    // Exactly these flag values: an injected or Alt-held event is left as it came.
    if (event.flags == 0 || event.flags == kHookKeyUp) {
        for (const KeypadRow& row : kKeypad) {
            if (row.scan_code == event.scan_code) {
                return row.virtual_key;
            }
        }
    } else if ((event.flags == kHookExtended || event.flags == (kHookExtended | kHookKeyUp)) &&
               event.scan_code == kKeypadEnterScanCode) {
        return kKeypadEnterVk;
    }
    return event.virtual_key;
}

// Page Up .. Down, Insert and Delete share their codes with keypad keys; name the dedicated
// ones. 41..44 (Select, Print, Execute, Print Screen) have no keypad twin.
bool NamedAsExtended(unsigned vk) {
    return (vk >= 33 && vk <= 40) || vk == 45 || vk == 46;
}

}  // namespace

KeyDisplay KeyDisplayName(const CapturedKeyEvent& event) {
    return KeyDisplayName(event, &SystemKeyName);
}

KeyDisplay KeyDisplayName(const CapturedKeyEvent& event, const SystemKeyNamer& system_name) {
    unsigned vk = event.virtual_key;
    if (event.source == KeyEventSource::kHook) {
        vk = NormaliseHookKeypad(event);
    }
    if (vk == 0) {
        return {};
    }
    for (const FixedName& fixed : kFixedNames) {
        if (fixed.virtual_key == vk && (fixed.raw_input || event.source == KeyEventSource::kHook)) {
            return {fixed.code_kept, std::wstring(fixed.text)};
        }
    }
    return {vk, system_name ? system_name(vk, NamedAsExtended(vk)) : std::wstring()};
}

}  // namespace keyloom
