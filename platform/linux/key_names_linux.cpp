// Names come from a fixed virtual-key -> keysym table and xkbcommon's keysym names, not from
// the X server's current keymap: they need no display and are the same on every machine.

#include <xkbcommon/xkbcommon.h>

#include <array>
#include <cwctype>
#include <string>

#include "platform/key_names.h"
#include "text/utf_convert.h"

namespace keyloom {
namespace {

struct KeysymRow {
    unsigned vk;
    xkb_keysym_t keysym;
};

constexpr KeysymRow kKeysyms[] = {
    {8, XKB_KEY_BackSpace},
    {9, XKB_KEY_Tab},
    {12, XKB_KEY_Clear},
    {13, XKB_KEY_Return},
    {16, XKB_KEY_Shift_L},
    {17, XKB_KEY_Control_L},
    {18, XKB_KEY_Alt_L},
    {19, XKB_KEY_Pause},
    {20, XKB_KEY_Caps_Lock},
    {27, XKB_KEY_Escape},
    {32, XKB_KEY_space},
    {33, XKB_KEY_Prior},
    {34, XKB_KEY_Next},
    {35, XKB_KEY_End},
    {36, XKB_KEY_Home},
    {37, XKB_KEY_Left},
    {38, XKB_KEY_Up},
    {39, XKB_KEY_Right},
    {40, XKB_KEY_Down},
    {41, XKB_KEY_Select},
    {42, XKB_KEY_Print},
    {43, XKB_KEY_Execute},
    {44, XKB_KEY_Print},
    {45, XKB_KEY_Insert},
    {46, XKB_KEY_Delete},
    {47, XKB_KEY_Help},
    {91, XKB_KEY_Super_L},
    {92, XKB_KEY_Super_R},
    {93, XKB_KEY_Menu},
    {95, XKB_KEY_XF86Sleep},
    {106, XKB_KEY_KP_Multiply},
    {107, XKB_KEY_KP_Add},
    {108, XKB_KEY_KP_Enter},
    {109, XKB_KEY_KP_Subtract},
    {110, XKB_KEY_KP_Decimal},
    {111, XKB_KEY_KP_Divide},
    {144, XKB_KEY_Num_Lock},
    {145, XKB_KEY_Scroll_Lock},
    {160, XKB_KEY_Shift_L},
    {161, XKB_KEY_Shift_R},
    {162, XKB_KEY_Control_L},
    {163, XKB_KEY_Control_R},
    {164, XKB_KEY_Alt_L},
    {165, XKB_KEY_Alt_R},
    {166, XKB_KEY_XF86Back},
    {167, XKB_KEY_XF86Forward},
    {168, XKB_KEY_XF86Refresh},
    {169, XKB_KEY_XF86Stop},
    {170, XKB_KEY_XF86Search},
    {171, XKB_KEY_XF86Favorites},
    {172, XKB_KEY_XF86HomePage},
    {173, XKB_KEY_XF86AudioMute},
    {174, XKB_KEY_XF86AudioLowerVolume},
    {175, XKB_KEY_XF86AudioRaiseVolume},
    {176, XKB_KEY_XF86AudioNext},
    {177, XKB_KEY_XF86AudioPrev},
    {178, XKB_KEY_XF86AudioStop},
    {179, XKB_KEY_XF86AudioPlay},
    {180, XKB_KEY_XF86Mail},
    {181, XKB_KEY_XF86AudioMedia},
    {182, XKB_KEY_XF86MyComputer},
    {183, XKB_KEY_XF86Calculator},
    {186, XKB_KEY_semicolon},
    {187, XKB_KEY_equal},
    {188, XKB_KEY_comma},
    {189, XKB_KEY_minus},
    {190, XKB_KEY_period},
    {191, XKB_KEY_slash},
    {192, XKB_KEY_grave},
    {219, XKB_KEY_bracketleft},
    {220, XKB_KEY_backslash},
    {221, XKB_KEY_bracketright},
    {222, XKB_KEY_apostrophe},
    {226, XKB_KEY_less},
    // The keypad keys that share their code with a dedicated key (Num Lock off), kept apart
    // by an offset: they are looked up only when `extended` is false.
    {0x1000 + 33, XKB_KEY_KP_Prior},
    {0x1000 + 34, XKB_KEY_KP_Next},
    {0x1000 + 35, XKB_KEY_KP_End},
    {0x1000 + 36, XKB_KEY_KP_Home},
    {0x1000 + 37, XKB_KEY_KP_Left},
    {0x1000 + 38, XKB_KEY_KP_Up},
    {0x1000 + 39, XKB_KEY_KP_Right},
    {0x1000 + 40, XKB_KEY_KP_Down},
};

xkb_keysym_t KeysymOf(unsigned vk, bool extended) {
    if (vk >= 'A' && vk <= 'Z') {
        return XKB_KEY_a + (vk - 'A');
    }
    if (vk >= '0' && vk <= '9') {
        return XKB_KEY_0 + (vk - '0');
    }
    if (vk >= 96 && vk <= 105) {
        return XKB_KEY_KP_0 + (vk - 96);
    }
    if (vk >= 112 && vk <= 135) {
        return XKB_KEY_F1 + (vk - 112);
    }
    if (!extended) {
        if (vk == 45) {
            return XKB_KEY_KP_Insert;
        }
        if (vk == 46) {
            return XKB_KEY_KP_Delete;
        }
        if (vk >= 33 && vk <= 40) {
            vk += 0x1000;
        }
    }
    for (const KeysymRow& row : kKeysyms) {
        if (row.vk == vk) {
            return row.keysym;
        }
    }
    return XKB_KEY_NoSymbol;
}

}  // namespace

std::wstring SystemKeyName(unsigned virtual_key, bool extended) {
    const xkb_keysym_t keysym = KeysymOf(virtual_key, extended);
    if (keysym == XKB_KEY_NoSymbol) {
        return {};
    }
    // Keys that type a visible character are named by it, as the key cap shows it.
    if (keysym > 0x20 && keysym < 0x7F) {
        return std::wstring(1, static_cast<wchar_t>(std::towupper(static_cast<wint_t>(keysym))));
    }
    std::array<char, 64> buffer{};
    if (xkb_keysym_get_name(keysym, buffer.data(), buffer.size()) <= 0) {
        return {};
    }
    std::string name(buffer.data());
    if (name.starts_with("XF86")) {
        name.erase(0, 4);
    }
    for (char& c : name) {
        if (c == '_') {
            c = ' ';
        }
    }
    if (!name.empty() && name[0] >= 'a' && name[0] <= 'z') {
        name[0] = static_cast<char>(name[0] - 'a' + 'A');
    }
    return Utf8ToWide(name);
}

}  // namespace keyloom
