// The tables sent to the keyboard, built from stored rows: key map, stale assignments,
// macro area, colour map and settings frame.

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "keys/key_layout.h"
#include "protocol/colour_map.h"
#include "protocol/key_map_payload.h"
#include "protocol/macro_area.h"
#include "protocol/settings_frame.h"

namespace keyloom {
namespace {

constexpr int kF1 = 0x3A;  // matrix index 12
constexpr int kKeyA = 0x04;
constexpr int kNoIndexUsage = 0xE7;  // a usage the layout has no key for

KeyAssignment Assign(int key_code, int layer, int type, int value, int value2 = 0) {
    KeyAssignment a;
    a.profile = 1;
    a.fn_layer = layer;
    a.key_code = key_code;
    a.macro_type = type;
    a.macro_value = value;
    a.macro_value2 = value2;
    return a;
}

KeyMap PatternedBase() {
    KeyMap base{};
    for (std::size_t i = 0; i < base.size(); ++i) {
        base[i] = static_cast<std::uint8_t>(i * 7 + 3);
    }
    return base;
}

TEST(KeyMapPayload, WritesEachLayerIntoItsHalfOfTheSlotAndKeepsTheRest) {
    ASSERT_EQ(UsageToMatrixIndex(kF1), 12);
    const KeyMap base = PatternedBase();
    const std::vector<KeyAssignment> standard = {Assign(kF1, 0, 1, 1)};
    const std::vector<KeyAssignment> fn = {Assign(kF1, 1, 5, 3)};
    const KeyMap map = BuildKeyMap(base, standard, fn, {});

    KeyMap expected = base;
    const std::size_t slot = 6 * 12;
    expected[slot + 0] = 0x10;
    expected[slot + 1] = 0x00;
    expected[slot + 2] = 0x00;
    expected[slot + 3] = 0x20;
    expected[slot + 4] = 0x02;
    expected[slot + 5] = 0x00;
    EXPECT_EQ(map, expected);
}

TEST(KeyMapPayload, SkipsKeysWithoutAMatrixIndexAndDefaultRows) {
    ASSERT_LT(UsageToMatrixIndex(kNoIndexUsage), 0);
    const KeyMap base = PatternedBase();
    const std::vector<KeyAssignment> standard = {Assign(kNoIndexUsage, 0, 2, 0x04),
                                                 Assign(kF1, 0, 0, 0)};
    EXPECT_EQ(BuildKeyMap(base, standard, {}, {}), base);
}

TEST(KeyMapPayload, LaterAssignmentForTheSameSlotWins) {
    const int index = UsageToMatrixIndex(kKeyA);
    ASSERT_GE(index, 0);
    const std::vector<KeyAssignment> standard = {Assign(kKeyA, 0, 1, 1), Assign(kKeyA, 0, 6, 1)};
    const KeyMap map = BuildKeyMap(KeyMap{}, standard, {}, {});
    const std::size_t slot = 6 * static_cast<std::size_t>(index);
    EXPECT_EQ(map[slot], 0x30);
    EXPECT_EQ(map[slot + 1], 0xCD);
}

TEST(KeyMapPayload, MacroEntryCarriesThePositionInTheArea) {
    const std::vector<KeyAssignment> standard = {Assign(kF1, 0, 3, 21)};
    const std::vector<int> area_order = {5, 9, 21};
    const KeyMap map = BuildKeyMap(KeyMap{}, standard, {}, area_order);
    EXPECT_EQ(map[6 * 12], 0x70);
    EXPECT_EQ(map[6 * 12 + 1], 2);
    EXPECT_EQ(map[6 * 12 + 2], 0x01);
}

TEST(StaleAssignments, OnlyEntriesEqualInAllThreeBytesAreStale) {
    const int index_a = UsageToMatrixIndex(kKeyA);
    ASSERT_GE(index_a, 0);
    KeyMap factory = PatternedBase();
    KeyMap keyboard = factory;
    // F1 on the standard layer remapped to another Keyboard entry: shares the kind byte
    // with the factory entry but is not stale.
    factory[6 * 12] = 0x10;
    factory[6 * 12 + 1] = 0x00;
    factory[6 * 12 + 2] = 0x3A;
    keyboard[6 * 12] = 0x10;
    keyboard[6 * 12 + 1] = 0x00;
    keyboard[6 * 12 + 2] = 0x05;
    // A's Fn entry differs in its last byte only.
    keyboard[6 * index_a + 5] ^= 0xFF;

    const auto stale = FindStaleAssignments(keyboard, factory);
    auto listed = [&stale](int key, int layer) {
        return std::find(stale.begin(), stale.end(), StaleAssignment{key, layer}) != stale.end();
    };
    EXPECT_FALSE(listed(kF1, 0));
    EXPECT_TRUE(listed(kF1, 1));
    EXPECT_TRUE(listed(kKeyA, 0));
    EXPECT_FALSE(listed(kKeyA, 1));
    // Positions without a key (such as index 6) never name anything.
    for (const StaleAssignment& s : stale) {
        EXPECT_NE(s.key_code, 0);
        EXPECT_GE(UsageToMatrixIndex(s.key_code), 0);
    }
    ASSERT_EQ(MatrixIndexToUsage(6), 0);
}

MacroEvent Step(int type, int value, int delay) {
    MacroEvent e;
    e.type = type;
    e.value = value;
    e.delay_time = delay;
    return e;
}

constexpr int kVkA = 0x41;

TEST(MacroAreaPayload, OneMacroPressingA) {
    const std::vector<MacroSteps> macros = {{1, {Step(2, kVkA, 120), Step(3, kVkA, 0)}}};
    const MacroArea area = BuildMacroArea(macros);
    EXPECT_EQ(area.used_length, 72u);
    EXPECT_EQ(area.bytes[0], 0x40);
    EXPECT_EQ(area.bytes[1], 0x00);
    const std::vector<std::uint8_t> steps(area.bytes.begin() + 64, area.bytes.begin() + 72);
    EXPECT_EQ(steps, (std::vector<std::uint8_t>{0x78, 0x00, 0x42, 0x04, 0x01, 0x00, 0x82, 0x04}));
    EXPECT_TRUE(std::all_of(area.bytes.begin() + 72, area.bytes.end(),
                            [](std::uint8_t b) { return b == 0; }));
    EXPECT_EQ(area.macro_ids, std::vector<int>{1});
    EXPECT_TRUE(area.left_out.empty());
}

TEST(MacroAreaPayload, EmptyMacroTakesNoRoomAndEndFlagOnlyOnAFinalKeyUp) {
    const std::vector<MacroSteps> macros = {
        {4, {}}, {5, {Step(4, 1, 10), Step(5, 1, 10), Step(3, kVkA, 10), Step(2, kVkA, 70000)}}};
    const MacroArea area = BuildMacroArea(macros);
    EXPECT_EQ(area.bytes[0], 64);
    EXPECT_EQ(area.bytes[2], 64);
    EXPECT_EQ(area.used_length, 64u + 16u);
    EXPECT_EQ(area.bytes[64 + 2], 0xC2);  // mouse down
    EXPECT_EQ(area.bytes[64 + 3], 0x01);  // left button bit
    EXPECT_EQ(area.bytes[68 + 2], 0x82);  // mouse up
    EXPECT_EQ(area.bytes[72 + 2], 0x02);  // key up, not last
    EXPECT_EQ(area.bytes[76 + 2], 0x42);  // last step is a key down: no end flag
    EXPECT_EQ(area.bytes[76 + 0], 0xFF);  // a delay too long for two bytes is capped
    EXPECT_EQ(area.bytes[76 + 1], 0xFF);
}

TEST(MacroAreaPayload, UnknownKindAndZeroDelay) {
    const auto step = EncodeMacroStep(Step(9, 77, 0), false);
    EXPECT_EQ(step, (std::array<std::uint8_t, 4>{0x01, 0x00, 0x00, 0x00}));
}

TEST(MacroAreaPayload, NeverWritesPastTheAreaAndLeavesOutWhatDoesNotFitWhole) {
    // 33 macros: 31 of 27 steps (837), then one of 100 steps that no longer fits whole,
    // then a short one that still does, and one beyond the 32 offset entries.
    std::vector<MacroSteps> macros;
    for (int id = 1; id <= 31; ++id) {
        macros.push_back({id, std::vector<MacroEvent>(27, Step(2, kVkA, 5))});
    }
    macros.push_back({32, std::vector<MacroEvent>(100, Step(2, kVkA, 5))});
    macros.push_back({33, {Step(2, kVkA, 5)}});
    const MacroArea area = BuildMacroArea(macros);

    EXPECT_EQ(area.used_length, 64u + 4u * 31u * 27u);
    EXPECT_LE(area.used_length, kMacroAreaSize);
    EXPECT_EQ(area.macro_ids.size(), 32u);
    EXPECT_EQ(area.left_out, (std::vector<int>{32, 33}));
    // The left-out macro's entry points at the end of the steps, like an empty macro.
    const std::size_t offset_32 = area.bytes[62] | (area.bytes[63] << 8);
    EXPECT_EQ(offset_32, area.used_length);
}

TEST(MacroAreaPayload, AFullAreaFitsExactly) {
    std::vector<MacroSteps> macros = {{1, std::vector<MacroEvent>(880, Step(2, kVkA, 1))}};
    const MacroArea area = BuildMacroArea(macros);
    EXPECT_EQ(area.used_length, kMacroAreaSize);
    EXPECT_TRUE(area.left_out.empty());
}

TEST(MacroAreaOrder, KeepsTheFirstThirtyTwoInListOrder) {
    std::vector<MacroInfo> macros(40);
    for (int i = 0; i < 40; ++i) {
        macros[static_cast<std::size_t>(i)].macro_id = 100 - i;
    }
    const auto order = MacroAreaOrder(macros);
    ASSERT_EQ(order.size(), 32u);
    EXPECT_EQ(order.front(), 100);
    EXPECT_EQ(order.back(), 69);
}

TEST(ColourMapPayload, PlacesRedGreenBlueAtTheMatrixIndexAndSkipsUnknownKeys) {
    std::vector<KeyColour> colours(2);
    colours[0].key_code = kF1;
    colours[0].key_rgb = 0x00EDE338;  // R 0x38, G 0xE3, B 0xED
    colours[1].key_code = kNoIndexUsage;
    colours[1].key_rgb = 0x00FFFFFF;
    const ColourMap map = BuildColourMap(colours);
    ColourMap expected{};
    expected[36] = 0x38;
    expected[37] = 0xE3;
    expected[38] = 0xED;
    EXPECT_EQ(map, expected);

    ColourMap direct{};
    EXPECT_FALSE(SetColourMapEntry(direct, kNoIndexUsage, 0x123456));
    EXPECT_EQ(direct, ColourMap{});
}

TEST(ColourMapPayload, PositionsWithoutAKeyStayOff) {
    std::vector<KeyColour> colours;
    for (int usage = 0; usage < 0x100; ++usage) {
        KeyColour c;
        c.key_code = usage;
        c.key_rgb = 0x00FFFFFF;
        colours.push_back(c);
    }
    const ColourMap map = BuildColourMap(colours);
    for (int index = 0; index < 128; ++index) {
        if (MatrixIndexToUsage(index) != 0) {
            continue;
        }
        for (int k = 0; k < 3; ++k) {
            EXPECT_EQ(map[static_cast<std::size_t>(3 * index + k)], 0) << index;
        }
    }
}

struct FlagCase {
    const wchar_t* win;
    const wchar_t* alttab;
    const wchar_t* altf4;
    std::uint8_t expected;
};

TEST(GameFlagByte, OnlyTheExactTextOneBlocks) {
    const FlagCase cases[] = {
        {L"1", L"0", L"0", 0x01}, {L"1", L"1", L"1", 0x07},    {L"0", L"0", L"1", 0x04},
        {L"0", L"1", L"0", 0x02}, {L"01", L"true", L"", 0x00}, {L" 1", L"1 ", L"2", 0x00},
    };
    for (const FlagCase& c : cases) {
        EXPECT_EQ(GameFlagByte(c.win, c.alttab, c.altf4), c.expected)
            << c.win << "," << c.alttab << "," << c.altf4;
    }
}

TEST(SettingsWriteFrame, EchoesTheKeyboardsBytesShiftedAndSetsOnlyOurs) {
    Frame response{};
    for (std::size_t k = 0; k < 64; ++k) {
        response[k] = static_cast<std::uint8_t>(0x80 + k);  // response byte k at position k
    }
    response[64] = 0x99;  // not part of the response
    LightSetting light;
    light.mode = 0x106;  // low byte only
    light.brightness = 100;
    light.speed = 3;
    light.direction = 1;
    light.colorful = 0;
    light.colorindex = 2;
    light.color_value = 0x00EDE338;
    const Frame frame = MakeSettingsWriteFrame(response, light, 0x05);

    EXPECT_EQ(frame[0], 0x00);
    EXPECT_EQ(frame[1], 0x55);
    EXPECT_EQ(frame[2], 0x06);
    const std::uint8_t ours[] = {0x06, 100, 1, 1, 0, 2, 0x38, 0xE3, 0xED};
    for (std::size_t i = 0; i < 9; ++i) {
        EXPECT_EQ(frame[11 + i], ours[i]) << "report byte " << 10 + i;
    }
    EXPECT_EQ(frame[26], 0x05);
    for (std::size_t k : {2u, 3u, 4u, 5u, 6u, 7u, 8u, 9u, 19u, 24u, 26u, 63u}) {
        EXPECT_EQ(frame[k + 1], response[k]) << "report byte " << k;
    }
}

TEST(SettingsWriteFrame, SpeedIsInvertedAndAMissingRowSendsZerosWithSpeedFour) {
    const Frame response{};
    LightSetting light;
    for (const auto& [speed, sent] : {std::pair{3, 1}, {0, 4}, {4, 0}}) {
        light.speed = speed;
        EXPECT_EQ(MakeSettingsWriteFrame(response, light, 0)[13], sent) << speed;
    }
    const Frame missing = MakeSettingsWriteFrame(response, LightSetting{}, 0);
    EXPECT_EQ(missing[11], 0);
    EXPECT_EQ(missing[13], 4);
}

}  // namespace
}  // namespace keyloom
