#include "tessera/platform/gtk/gtk_input_rules.h"

#include <cstdlib>

namespace Tessera::gtk_backend {

namespace {

// GDK key values (X keysyms) of the keys the table below names.
struct KeyvalToVk {
    unsigned keyval;
    unsigned vk;
};

constexpr KeyvalToVk kSpecialKeys[] = {
    {0xff08, 0x08},      // BackSpace
    {0xff09, 0x09},      // Tab
    {0xfe20, 0x09},      // ISO_Left_Tab (Shift+Tab)
    {0xff0d, 0x0D},      // Return
    {0xff8d, 0x0D},      // KP_Enter
    {0xff13, 0x13},      // Pause
    {0xffe5, 0x14},      // Caps_Lock
    {0xff1b, 0x1B},      // Escape
    {0x0020, 0x20},      // space
    {0xff55, 0x21},      // Page_Up
    {0xff56, 0x22},      // Page_Down
    {0xff57, 0x23},      // End
    {0xff50, 0x24},      // Home
    {0xff51, 0x25},      // Left
    {0xff52, 0x26},      // Up
    {0xff53, 0x27},      // Right
    {0xff54, 0x28},      // Down
    {0xff61, 0x2C},      // Print
    {0xff63, 0x2D},      // Insert
    {0xffff, 0x2E},      // Delete
    {0xffe1, 0x10},      // Shift_L
    {0xffe2, 0x10},      // Shift_R
    {0xffe3, 0x11},      // Control_L
    {0xffe4, 0x11},      // Control_R
    {0xffe9, 0x12},      // Alt_L
    {0xffea, 0x12},      // Alt_R
    {0xfe03, 0x12},      // ISO_Level3_Shift (AltGr)
    {0xffeb, 0x5B},      // Super_L
    {0xffec, 0x5C},      // Super_R
    {0xff67, 0x5D},      // Menu
    {0xffaa, 0x6A},      // KP_Multiply
    {0xffab, 0x6B},      // KP_Add
    {0xffad, 0x6D},      // KP_Subtract
    {0xffae, 0x6E},      // KP_Decimal
    {0xffaf, 0x6F},      // KP_Divide
    {0xff7f, 0x90},      // Num_Lock
    {0xff14, 0x91},      // Scroll_Lock
    {0x003b, 0xBA},      // semicolon
    {0x003d, 0xBB},      // equal
    {0x002c, 0xBC},      // comma
    {0x002d, 0xBD},      // minus
    {0x002e, 0xBE},      // period
    {0x002f, 0xBF},      // slash
    {0x0060, 0xC0},      // grave
    {0x005b, 0xDB},      // bracketleft
    {0x005c, 0xDC},      // backslash
    {0x005d, 0xDD},      // bracketright
    {0x0027, 0xDE},      // apostrophe
    {0x003c, 0xE2},      // less (the ISO key beside Z)
    {0x1008ff11, 0xAE},  // XF86AudioLowerVolume
    {0x1008ff13, 0xAF},  // XF86AudioRaiseVolume
    {0x1008ff12, 0xAD},  // XF86AudioMute
};

}  // namespace

unsigned VirtualKeyFromKeyval(unsigned keyval) {
    if (keyval >= 'a' && keyval <= 'z') {
        return keyval - 'a' + 'A';
    }
    if ((keyval >= 'A' && keyval <= 'Z') || (keyval >= '0' && keyval <= '9')) {
        return keyval;
    }
    if (keyval >= 0xffbe && keyval <= 0xffd5) {  // F1..F24
        return 0x70 + (keyval - 0xffbe);
    }
    if (keyval >= 0xffb0 && keyval <= 0xffb9) {  // KP_0..KP_9
        return 0x60 + (keyval - 0xffb0);
    }
    // Keypad keys with Num Lock off report their navigation meaning.
    constexpr KeyvalToVk kKeypadNavigation[] = {
        {0xff95, 0x24}, {0xff96, 0x25}, {0xff97, 0x26}, {0xff98, 0x27}, {0xff99, 0x28},
        {0xff9a, 0x21}, {0xff9b, 0x22}, {0xff9c, 0x23}, {0xff9e, 0x2D}, {0xff9f, 0x2E},
    };
    for (const auto& entry : kKeypadNavigation) {
        if (entry.keyval == keyval) {
            return entry.vk;
        }
    }
    for (const auto& entry : kSpecialKeys) {
        if (entry.keyval == keyval) {
            return entry.vk;
        }
    }
    return 0;
}

bool ClickTracker::Press(unsigned button, std::uint32_t timeMs, int x, int y) {
    const bool isDouble = armed_ && button == button_ && timeMs - lastTime_ <= timeMs_ &&
                          std::abs(x - lastX_) <= distance_ && std::abs(y - lastY_) <= distance_;
    // After a double click the next press is a first press again.
    armed_ = !isDouble;
    button_ = button;
    lastTime_ = timeMs;
    lastX_ = x;
    lastY_ = y;
    return isDouble;
}

}  // namespace Tessera::gtk_backend
