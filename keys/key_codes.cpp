#include "keys/key_codes.h"

namespace keyloom {

unsigned VirtualKeyToUsage(unsigned vk) {
    if (vk >= 'A' && vk <= 'Z') {
        return vk - 61;
    }
    if (vk >= '1' && vk <= '9') {
        return vk - 19;
    }
    if (vk >= 112 && vk <= 123) {  // F1..F12
        return 0x3A + (vk - 112);
    }
    if (vk >= 124 && vk <= 135) {  // F13..F24
        return 0x68 + (vk - 124);
    }
    if (vk >= 97 && vk <= 105) {  // keypad 1..9
        return 0x59 + (vk - 97);
    }
    if (vk >= 136 && vk <= 139) {
        return vk;
    }
    switch (vk) {
        case '0':
            return 0x27;
        case 13:
            return 0x28;  // Enter
        case 27:
            return 0x29;  // Esc
        case 8:
            return 0x2A;  // Backspace
        case 9:
            return 0x2B;  // Tab
        case 32:
            return 0x2C;  // Space
        case 189:
            return 0x2D;  // minus
        case 187:
            return 0x2E;  // plus
        case 219:
            return 0x2F;  // left bracket
        case 221:
            return 0x30;  // right bracket
        case 220:
            return 0x31;  // backslash
        case 666:
            return 0x32;
        case 186:
            return 0x33;  // semicolon
        case 222:
            return 0x34;  // quote
        case 192:
            return 0x35;  // grave
        case 188:
            return 0x36;  // comma
        case 190:
            return 0x37;  // period
        case 191:
            return 0x38;  // slash
        case 20:
            return 0x39;  // Caps Lock
        case 44:
            return 0x46;  // Print Screen
        case 145:
            return 0x47;  // Scroll Lock
        case 19:
            return 0x48;  // Pause
        case 45:
            return 0x49;  // Insert
        case 36:
            return 0x4A;  // Home
        case 33:
            return 0x4B;  // Page Up
        case 46:
            return 0x4C;  // Delete
        case 35:
            return 0x4D;  // End
        case 34:
            return 0x4E;  // Page Down
        case 39:
            return 0x4F;  // Right
        case 37:
            return 0x50;  // Left
        case 40:
            return 0x51;  // Down
        case 38:
            return 0x52;  // Up
        case 144:
            return 0x53;  // Num Lock
        case 111:
            return 0x54;  // keypad /
        case 106:
            return 0x55;  // keypad *
        case 109:
            return 0x56;  // keypad -
        case 107:
            return 0x57;  // keypad +
        case 108:
            return 0x58;  // keypad Enter (separator)
        case 96:
            return 0x62;  // keypad 0
        case 110:
            return 0x63;  // keypad decimal
        case 226:
            return 0x64;  // the ISO key left of Z
        case 93:
            return 0x65;  // Applications
        case 162:
            return 0xE0;  // left Ctrl
        case 160:
            return 0xE1;  // left Shift
        case 164:
            return 0xE2;  // left Alt
        case 91:
            return 0xE3;  // left Windows
        case 163:
            return 0xE4;  // right Ctrl
        case 161:
            return 0xE5;  // right Shift
        case 165:
            return 0xE6;  // right Alt
        case 92:
            return 0xE7;  // right Windows
        case 254:
            return 0xFF;  // stands for Fn
        case 301:
            return 0xEC;
        case 302:
            return 0xEB;
        default:
            return 0;
    }
}

unsigned ModifierUsageToBit(unsigned usage) {
    if (usage >= 0xE0 && usage <= 0xE7) {
        return 1u << (usage - 0xE0);
    }
    return usage;
}

}  // namespace keyloom
