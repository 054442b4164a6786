// A whole session against the virtual keyboard as the worker runs it: read-out, key map,
// macros, settings, colours, a second read-out, factory reset and a music frame. After the
// writes the keyboard's tables are decoded and compared with what the store holds.

#include <gtest/gtest.h>

#include <map>

#include "keys/key_codes.h"
#include "keys/key_layout.h"
#include "tests/protocol/jobs_fixture.h"

namespace keyloom::protocol_test {
namespace {

std::size_t IndexOf(int usage) {
    const int index = UsageToMatrixIndex(static_cast<unsigned>(usage));
    EXPECT_GE(index, 0) << usage;
    return static_cast<std::size_t>(index);
}

class SessionTest : public JobsTest {
protected:
    // Entries the keyboard must hold for the session's assignments: (layer, key) -> bytes.
    std::map<std::pair<int, int>, std::array<std::uint8_t, 3>> expected_entries;

    void AssignExpecting(int layer, int key, int type, int value, int value2,
                         std::array<std::uint8_t, 3> entry) {
        Assign(layer, key, type, value, value2);
        expected_entries[{layer, key}] = entry;
    }

    int AddMacro(const std::wstring& name, std::vector<MacroEvent> steps) {
        const int id = database.AddMacro(name);
        for (std::size_t i = 0; i < steps.size(); ++i) {
            steps[i].macro_id = id;
            steps[i].record_index = static_cast<int>(i);
        }
        database.AddMacroEvents(steps);
        return id;
    }

    static MacroEvent Step(int type, int value, int delay) {
        MacroEvent e;
        e.type = type;
        e.value = value;
        e.delay_time = delay;
        return e;
    }

    // Every stored assignment of the current profile is in the keyboard's map with the
    // expected entry, and every other slot is as the factory made it.
    void ExpectKeyMapHoldsStore(const sim::FirmwareTables& tables) {
        std::map<std::pair<int, int>, bool> stored;
        for (int layer = 0; layer < 2; ++layer) {
            std::vector<KeyAssignment> rows;
            database.ListKeyAssignments(context.current_profile, layer, rows);
            for (const KeyAssignment& row : rows) {
                stored[{layer, row.key_code}] = true;
                ASSERT_TRUE(expected_entries.count({layer, row.key_code})) << row.key_code;
            }
        }
        EXPECT_EQ(stored.size(), expected_entries.size());
        sim::KeyMapTable expected = tables.factory_key_map;
        for (const auto& [where, entry] : expected_entries) {
            const std::size_t at =
                6 * IndexOf(where.second) + 3 * static_cast<std::size_t>(where.first);
            std::copy(entry.begin(), entry.end(), expected.begin() + static_cast<long>(at));
        }
        EXPECT_EQ(tables.key_map, expected);
    }

    // The area's offset table names each stored macro's steps, decoded step by step.
    void ExpectMacroAreaHoldsStore(const sim::FirmwareTables& tables) {
        std::vector<MacroInfo> macros;
        database.ListMacros(macros);
        const auto& area = tables.macro_area;
        std::size_t next = 64;
        for (std::size_t i = 0; i < macros.size(); ++i) {
            const std::size_t offset = area[2 * i] | (area[2 * i + 1] << 8);
            EXPECT_EQ(offset, next) << "macro " << i;
            std::vector<MacroEvent> steps;
            database.ListMacroEvents(macros[i].macro_id, steps);
            for (std::size_t s = 0; s < steps.size(); ++s) {
                const std::uint8_t* step = area.data() + offset + 4 * s;
                const MacroEvent& e = steps[s];
                EXPECT_EQ(step[0] | (step[1] << 8), std::max(e.delay_time, 1));
                const bool key = e.type == 2 || e.type == 3;
                EXPECT_EQ(step[3], key ? VirtualKeyToUsage(static_cast<unsigned>(e.value))
                                       : static_cast<unsigned>(e.value));
                const bool last = s + 1 == steps.size();
                const std::uint8_t flags = e.type == 2   ? 0x42
                                           : e.type == 3 ? (last ? 0x82 : 0x02)
                                           : e.type == 4 ? 0xC2
                                                         : 0x82;
                EXPECT_EQ(step[2], flags) << "macro " << i << " step " << s;
            }
            next = offset + 4 * steps.size();
        }
        EXPECT_TRUE(std::all_of(area.begin() + static_cast<long>(next), area.end(),
                                [](std::uint8_t b) { return b == 0; }));
    }

    void ExpectSettingsHoldStore(const sim::FirmwareTables& tables) {
        LightSetting light;
        ASSERT_TRUE(database.GetLightSetting(context.current_light_mode, light));
        const auto& s = tables.settings;
        EXPECT_EQ(s[10], light.mode);
        EXPECT_EQ(s[11], light.brightness);
        EXPECT_EQ(s[12], 4 - light.speed);
        EXPECT_EQ(s[13], light.direction);
        EXPECT_EQ(s[14], light.colorful);
        EXPECT_EQ(s[15], light.colorindex);
        EXPECT_EQ(s[16] | (s[17] << 8) | (s[18] << 16), light.color_value);
        std::wstring win, alttab, altf4;
        database.GetConfigValue(L"disable_win", win);
        database.GetConfigValue(L"disable_alttab", alttab);
        database.GetConfigValue(L"disable_altf4", altf4);
        EXPECT_EQ(s[25],
                  (win == L"1" ? 1 : 0) | (alttab == L"1" ? 2 : 0) | (altf4 == L"1" ? 4 : 0));
    }

    void ExpectColoursHoldStore(const sim::FirmwareTables& tables) {
        std::vector<KeyColour> colours;
        database.ListKeyColours(0, colours);
        sim::ColourMapTable expected{};
        for (const KeyColour& c : colours) {
            if (UsageToMatrixIndex(static_cast<unsigned>(c.key_code)) < 0) {
                continue;
            }
            const std::size_t at = 3 * IndexOf(c.key_code);
            expected[at] = static_cast<std::uint8_t>(c.key_rgb);
            expected[at + 1] = static_cast<std::uint8_t>(c.key_rgb >> 8);
            expected[at + 2] = static_cast<std::uint8_t>(c.key_rgb >> 16);
        }
        EXPECT_EQ(tables.colour_map, expected);
    }
};

TEST_F(SessionTest, TheKeyboardEndsUpHoldingWhatTheStoreHolds) {
    ReadOutResult read = jobs.ReadKeyboard(context);
    ASSERT_TRUE(read.Succeeded());
    EXPECT_TRUE(read.reconciled);

    // The user's changes, each stored first and then sent by its job.
    const int first = AddMacro(L"Macro 0", {Step(2, 0x41, 120), Step(3, 0x41, 0)});
    const int second = AddMacro(L"Macro 1", {Step(4, 1, 30), Step(5, 1, 40)});
    ASSERT_GT(first, 0);
    AssignExpecting(0, 0x3A, 5, 3, 0, {0x20, 0x02, 0x00});        // F1: right button
    AssignExpecting(1, 0x04, 3, second, 0, {0x70, 0x01, 0x01});   // Fn+A: the second macro
    AssignExpecting(0, 0x29, 9, 300, 0, {0x60, 0x2C, 0x00});      // Esc: website, id's low byte
    AssignExpecting(0, 0x04, 2, 0x05, 0xE1, {0x10, 0x02, 0x05});  // A: Shift+B
    LightSetting wave;
    wave.profile = 1;
    wave.mode = 6;
    wave.brightness = 70;
    wave.speed = 1;
    wave.direction = 1;
    wave.colorful = 0;
    wave.color_value = 0x0000A0FF;
    database.AddLightSetting(wave);
    database.SetConfigValue(L"disable_altf4", L"1");
    std::vector<KeyColour> colours;
    for (const int key : {0x3A, 0x04, 0x29, 0xE7}) {
        KeyColour c;
        c.profile = 1;
        c.key_code = key;
        c.key_rgb = 0x00102030 + key;
        colours.push_back(c);
    }
    database.AddKeyColours(colours);

    EXPECT_TRUE(jobs.WriteKeyMap(context).Succeeded());
    EXPECT_TRUE(jobs.WriteMacros(context).Succeeded());
    EXPECT_TRUE(jobs.WriteSettings(context).Succeeded());
    EXPECT_TRUE(jobs.WriteKeyColours(context).Succeeded());

    auto tables = keyboard->Tables();
    ExpectKeyMapHoldsStore(tables);
    ExpectMacroAreaHoldsStore(tables);
    ExpectSettingsHoldStore(tables);
    ExpectColoursHoldStore(tables);
    EXPECT_EQ(keyboard->FirmwareCounts().refused, 0u);
    EXPECT_FALSE(keyboard->InSequence());

    // Reading the keyboard back changes nothing: it carries every stored assignment.
    read = jobs.ReadKeyboard(context);
    EXPECT_TRUE(read.reconciled);
    EXPECT_EQ(read.assignments_deleted, 0);
    ExpectKeyMapHoldsStore(keyboard->Tables());

    // Restore Factory: the store is reset first, then the keyboard.
    database.ResetDatabase(folder.Wide(), L"kb_data");
    expected_entries.clear();
    EXPECT_TRUE(jobs.FactoryReset(context).Succeeded());
    tables = keyboard->Tables();
    ExpectKeyMapHoldsStore(tables);
    ExpectMacroAreaHoldsStore(tables);
    EXPECT_EQ(tables.settings, tables.factory_settings);

    // Music: one streamed frame is what the keyboard shows.
    ColourMap frame{};
    ASSERT_TRUE(SetColourMapEntry(frame, 0x3A, 0x00FF8000));
    ASSERT_TRUE(SetColourMapEntry(frame, 0x04, 0x000000FF));
    EXPECT_TRUE(jobs.StreamColourFrame(context, frame).Succeeded());
    tables = keyboard->Tables();
    EXPECT_EQ(tables.shown_colours, frame);
    EXPECT_EQ(tables.shown_colours[3 * 12 + 1], 0x80);
}

}  // namespace
}  // namespace keyloom::protocol_test
