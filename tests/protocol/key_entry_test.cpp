// The 3-byte key entries of every function and option.

#include <gtest/gtest.h>

#include <vector>

#include "protocol/key_entry.h"

namespace keyloom {
namespace {

KeyAssignment Assign(int type, int value, int value2 = 0) {
    KeyAssignment a;
    a.profile = 1;
    a.key_code = 0x04;
    a.macro_type = type;
    a.macro_value = value;
    a.macro_value2 = value2;
    return a;
}

struct EntryCase {
    const char* name;
    KeyAssignment assignment;
    KeyEntry expected;
};

// The base map's bytes the entry starts from; functions that set only part of the
// entry must leave these visible.
constexpr KeyEntry kBase = {0xA1, 0xB2, 0xC3};
const std::vector<int> kMacrosInArea = {11, 7, 30};

class KeyEntryEncoding : public ::testing::TestWithParam<EntryCase> {};

TEST_P(KeyEntryEncoding, GivesTheKeyboardsBytes) {
    KeyEntry entry = kBase;
    EncodeKeyEntry(GetParam().assignment, kMacrosInArea, entry);
    EXPECT_EQ(entry, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Functions, KeyEntryEncoding,
    ::testing::Values(EntryCase{"Disable", Assign(1, 1), {0x10, 0x00, 0x00}},
                      EntryCase{"ShiftA", Assign(2, 0x04, 0xE1), {0x10, 0x02, 0x04}},
                      EntryCase{"LeftCtrlAlone", Assign(2, 0xE0), {0x10, 0x00, 0x01}},
                      EntryCase{"RightGuiAlone", Assign(2, 0xE7), {0x10, 0x00, 0x80}},
                      EntryCase{"PlainKey", Assign(2, 0x29), {0x10, 0x00, 0x29}},
                      EntryCase{"SecondMacro", Assign(3, 7), {0x70, 0x01, 0x01}},
                      EntryCase{"MouseLeft", Assign(5, 1), {0x20, 0x01, 0x00}},
                      EntryCase{"MouseMiddle", Assign(5, 2), {0x20, 0x04, 0x00}},
                      EntryCase{"MouseRight", Assign(5, 3), {0x20, 0x02, 0x00}},
                      EntryCase{"ScrollUp", Assign(5, 5), {0x21, 0x00, 0x01}},
                      EntryCase{"ScrollDown", Assign(5, 6), {0x21, 0x00, 0xFF}},
                      EntryCase{"Button4", Assign(5, 7), {0x20, 0x08, 0x00}},
                      EntryCase{"Button5", Assign(5, 8), {0x20, 0x10, 0x00}},
                      EntryCase{"UnknownMouseKeepsButtonByte", Assign(5, 4), {0x20, 0xB2, 0x00}},
                      EntryCase{"PlayPause", Assign(6, 1), {0x30, 0xCD, 0x00}},
                      EntryCase{"Mute", Assign(6, 7), {0x30, 0xE2, 0x00}},
                      EntryCase{"VolumeDown", Assign(6, 6), {0x30, 0xEA, 0x00}},
                      EntryCase{"ShowDesktop", Assign(7, 1), {0x10, 0x08, 0x07}},
                      EntryCase{"LockComputer", Assign(7, 3), {0x10, 0x08, 0x0F}},
                      EntryCase{"CloseWindow", Assign(7, 4), {0x10, 0x01, 0x1A}},
                      EntryCase{"SwitchWindows", Assign(7, 5), {0xF0, 0xA6, 0x00}},
                      EntryCase{"Cut", Assign(7, 8), {0x10, 0x01, 0x1B}},
                      EntryCase{"Shortcut10", Assign(7, 10), {0x10, 0x02, 0x02}},
                      EntryCase{"Shortcut11", Assign(7, 11), {0x10, 0x02, 0x01}},
                      EntryCase{"UnknownShortcutSetsOnlyKind", Assign(7, 9), {0x10, 0xB2, 0xC3}},
                      EntryCase{"Application", Assign(8, 42), {0x50, 42, 0x00}},
                      EntryCase{"WebsiteIdLowByte", Assign(9, 0x105), {0x60, 0x05, 0x00}},
                      EntryCase{"SendText", Assign(10, 3), {0x60, 0x03, 0x00}},
                      // Entries the keyboard cannot be given keep the base map's bytes.
                      EntryCase{"MacroNotInArea", Assign(3, 99), kBase},
                      EntryCase{"UnknownMultimedia", Assign(6, 8), kBase},
                      EntryCase{"UnusedFunction4", Assign(4, 1), kBase},
                      EntryCase{"Default", Assign(0, 0), kBase}),
    [](const ::testing::TestParamInfo<EntryCase>& info) { return info.param.name; });

TEST(KeyEntryEncoding, ReportsWhetherTheEntryWasWritten) {
    KeyEntry entry = kBase;
    EXPECT_TRUE(EncodeKeyEntry(Assign(1, 1), kMacrosInArea, entry));
    entry = kBase;
    EXPECT_FALSE(EncodeKeyEntry(Assign(3, 99), kMacrosInArea, entry));
}

}  // namespace
}  // namespace keyloom
