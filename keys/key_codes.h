#pragma once

// Conversions between the codes the computer reports keys with (Windows virtual-key codes)
// and the keyboard's usage codes, and the HID modifier byte.

namespace keyloom {

// The usage code of a virtual-key code, 0 when the key has none. The generic codes 16, 17 and
// 18 (Shift, Ctrl, Alt) have none: capture replaces them by their left-hand codes first.
unsigned VirtualKeyToUsage(unsigned virtual_key);

// The bit of a modifier usage (0xE0..0xE7) in the HID modifier byte; any other value is
// returned as it is, so 0 stays 0.
unsigned ModifierUsageToBit(unsigned usage);

}  // namespace keyloom
