#include "keys/key_display_name.h"

#include <gtest/gtest.h>

#include <string>

#include "keys/key_codes.h"
#include "text/utf_convert.h"

namespace keyloom {
namespace {

// Stands in for the system: names a key by its code and whether it was asked as extended.
std::wstring FakeName(unsigned vk, bool extended) {
    return L"sys" + std::to_wstring(vk) + (extended ? L"+ext" : L"");
}

struct Case {
    const char* what;
    CapturedKeyEvent event;
    unsigned expected_vk;
    std::wstring expected_text;
};

constexpr auto kHook = KeyEventSource::kHook;
constexpr auto kRaw = KeyEventSource::kRawInput;

TEST(KeyDisplayName, CodesAndNames) {
    const Case cases[] = {
        {"plain letter", {'A', 30, 0, kRaw}, 'A', L"sys65"},
        {"generic Shift", {16, 42, 0, kRaw}, 160, L"Shift"},
        {"generic Shift from right key", {16, 54, 0, kHook}, 160, L"Shift"},
        {"generic Ctrl", {17, 0, 0, kRaw}, 162, L"Ctrl"},
        {"generic Alt", {18, 0, 0, kHook}, 164, L"Alt"},
        {"right Shift", {161, 54, 0, kHook}, 161, L"RShift"},
        {"right Ctrl", {163, 29, 1, kRaw}, 163, L"RCtrl"},
        {"right Alt", {165, 56, 1, kHook}, 165, L"RAlt"},
        {"Print Screen", {44, 55, 1, kRaw}, 44, L"Print Screen"},
        {"Windows keys", {92, 92, 1, kRaw}, 92, L"RWindows"},
        {"ISO key", {226, 86, 0, kRaw}, 226, L"><"},
        {"media key from the hook", {179, 34, 1, kHook}, 179, L"Play/Pause"},
        {"media key from raw input", {179, 34, 1, kRaw}, 179, L"sys179"},
        {"Page Up named as the dedicated key", {33, 73, 1, kRaw}, 33, L"sys33+ext"},
        {"Delete named as the dedicated key", {46, 83, 1, kRaw}, 46, L"sys46+ext"},
        {"Print (41..44) not marked", {42, 0, 0, kRaw}, 42, L"sys42"},
        {"keypad 8, Num Lock off", {38, 72, 0, kHook}, 104, L"sys104"},
        {"Up arrow", {38, 72, 0x01, kHook}, 38, L"sys38+ext"},
        {"keypad 8 from raw input is not normalised", {38, 72, 0, kRaw}, 38, L"sys38+ext"},
        {"keypad 5 key up", {12, 76, 0x80, kHook}, 101, L"sys101"},
        {"keypad 5 injected key up", {12, 76, 0x90, kHook}, 12, L"sys12"},
        {"keypad decimal", {46, 83, 0, kHook}, 110, L"sys110"},
        {"keypad 0", {45, 82, 0x80, kHook}, 96, L"sys96"},
        {"keypad Enter down", {13, 28, 0x01, kHook}, 108, L"sys108"},
        {"keypad Enter up", {13, 28, 0x81, kHook}, 108, L"sys108"},
        {"main Enter", {13, 28, 0, kHook}, 13, L"sys13"},
        {"no key", {0, 0, 0, kRaw}, 0, L""},
        {"no key from the hook", {0, 99, 0, kHook}, 0, L""},
    };
    for (const auto& c : cases) {
        const KeyDisplay shown = KeyDisplayName(c.event, &FakeName);
        EXPECT_EQ(shown.virtual_key, c.expected_vk) << c.what;
        EXPECT_EQ(shown.text, c.expected_text) << c.what;
    }
}

TEST(KeyDisplayName, CapturedCodesConvertToTheRightUsage) {
    EXPECT_EQ(VirtualKeyToUsage(KeyDisplayName({16, 42, 0, kHook}, &FakeName).virtual_key), 0xE1u);
    EXPECT_EQ(VirtualKeyToUsage(KeyDisplayName({13, 28, 1, kHook}, &FakeName).virtual_key), 0x58u);
    EXPECT_EQ(VirtualKeyToUsage(KeyDisplayName({13, 28, 0, kHook}, &FakeName).virtual_key), 0x28u);
    EXPECT_EQ(VirtualKeyToUsage(KeyDisplayName({38, 72, 0, kHook}, &FakeName).virtual_key), 0x60u);
}

TEST(KeyDisplayName, DefaultUsesTheSystemsNames) {
    const KeyDisplay letter = KeyDisplayName({'Q', 16, 0, kRaw});
    EXPECT_EQ(letter.virtual_key, static_cast<unsigned>('Q'));
    EXPECT_EQ(letter.text, L"Q");
    // The dedicated Page Up and keypad 9 with Num Lock off must not read the same.
    EXPECT_NE(KeyDisplayName({33, 73, 1, kRaw}).text, KeyDisplayName({105, 73, 0, kRaw}).text);
    EXPECT_FALSE(KeyDisplayName({33, 73, 1, kRaw}).text.empty());
}

}  // namespace
}  // namespace keyloom
