#include <gtest/gtest.h>

#include <climits>
#include <functional>
#include <string>
#include <vector>

#include "store/config_database.h"
#include "tests/store/store_fixture.h"

namespace keyloom::store_test {
namespace {

using TableOperations = StoreTest;

KeyAssignment Assignment(int profile, int fn_layer, int key_code, int macro_value,
                         const std::wstring& desc = L"A") {
    return {.profile = profile,
            .fn_layer = fn_layer,
            .key_code = key_code,
            .layout_desc = L"",
            .macro_type = 2,
            .macro_value = macro_value,
            .macro_desc = desc};
}

LightSetting Light(int mode, int profile = 1) {
    return {.profile = profile,
            .name = L"mode " + std::to_wstring(mode),
            .mode = mode,
            .brightness = 10 + mode,
            .speed = 2,
            .direction = 1,
            .colorful = 1,
            .colorindex = 0,
            .color_value = 0x00FF8040,
            .config_func = 0x1F,
            .reserved = 200 + mode,
            .status = 0};
}

// Settings ----------------------------------------------------------------------------------

TEST_F(TableOperations, DefaultSettingsAreReadAndUpdated) {
    db_.InsertDefaultConfig();
    const std::pair<const wchar_t*, const wchar_t*> defaults[] = {
        {L"version", L"1.0.1"}, {L"fn_layer", L"0"},       {L"lightmode", L"1"},
        {L"sleep_light", L"0"}, {L"userlight", L"0"},      {L"disable_gamemode", L"0"},
        {L"disable_win", L"0"}, {L"disable_alttab", L"0"}, {L"disable_altf4", L"0"},
    };
    for (const auto& [key, value] : defaults) {
        std::wstring read;
        EXPECT_TRUE(db_.GetConfigValue(key, read)) << key;
        EXPECT_EQ(read, value) << key;
    }
    EXPECT_EQ(QueryInt(db_, "SELECT count(*) FROM t_config_data WHERE profile = 1"), 9);

    EXPECT_TRUE(db_.SetConfigValue(L"disable_win", L"1"));
    std::wstring read;
    EXPECT_TRUE(db_.GetConfigValue(L"disable_win", read));
    EXPECT_EQ(read, L"1");
}

TEST_F(TableOperations, MissingSettingIsNeitherFoundNorCreated) {
    std::wstring value = L"stale";
    EXPECT_FALSE(db_.GetConfigValue(L"nothing", value));
    EXPECT_EQ(value, L"");
    EXPECT_TRUE(db_.SetConfigValue(L"nothing", L"1"));  // succeeds, changing no row
    EXPECT_FALSE(db_.GetConfigValue(L"nothing", value));
    EXPECT_EQ(QueryInt(db_, "SELECT count(*) FROM t_config_data"), 0);
}

TEST_F(TableOperations, SettingsOfOtherProfilesAreIgnored) {
    ASSERT_EQ(db_.Execute("INSERT INTO t_config_data(profile, key, value) VALUES (2, 'k', 'v')"),
              0);
    std::wstring value;
    EXPECT_FALSE(db_.GetConfigValue(L"k", value));
}

TEST_F(TableOperations, SettingsTableMissingReadsAsZeroWithoutHarm) {
    ASSERT_EQ(db_.Execute("DROP TABLE t_config_data"), 0);
    std::wstring value;
    EXPECT_FALSE(db_.GetConfigValue(L"disable_win", value));
    EXPECT_EQ(value, L"0");
    EXPECT_EQ(db_.AddProfile({.name = L"still works"}), 1);
}

TEST_F(TableOperations, NullTextColumnsReadAsEmpty) {
    ASSERT_EQ(db_.Execute("INSERT INTO t_config_data(profile, key, value) VALUES (1, 'k', NULL);"
                          "INSERT INTO t_profile_data(name, status) VALUES (NULL, NULL);"
                          "INSERT INTO t_macrorecord(macro_id) VALUES (3);"),
              0);
    std::wstring value = L"stale";
    EXPECT_TRUE(db_.GetConfigValue(L"k", value));
    EXPECT_EQ(value, L"");
    std::vector<ProfileInfo> profiles;
    ASSERT_EQ(db_.ListProfiles(profiles), 1);
    EXPECT_EQ(profiles[0].name, L"");
    EXPECT_EQ(profiles[0].status, 0);
    std::vector<MacroEvent> events;
    ASSERT_EQ(db_.ListMacroEvents(3, events), 1);
    EXPECT_EQ(events[0].desc, L"");
}

// Profiles ----------------------------------------------------------------------------------

TEST_F(TableOperations, ProfilesAreAddedRenamedListedAndDeleted) {
    EXPECT_EQ(db_.AddProfile({.profile = 9, .name = L"配置方案 1", .status = 1}), 1);
    EXPECT_EQ(db_.AddProfile({.name = L"Two"}), 2);
    EXPECT_EQ(db_.AddProfile({.name = L"Three"}), 3);
    EXPECT_TRUE(db_.RenameProfile(2, L"Мой профиль"));

    std::vector<ProfileInfo> profiles(5);
    ASSERT_EQ(db_.ListProfiles(profiles), 3);
    ASSERT_EQ(profiles.size(), 3U);
    // Only the name is taken from the record; every new profile starts inactive.
    EXPECT_EQ(profiles[0].profile, 1);
    EXPECT_EQ(profiles[0].name, L"配置方案 1");
    EXPECT_EQ(profiles[0].status, 0);
    EXPECT_EQ(profiles[1].name, L"Мой профиль");

    EXPECT_TRUE(db_.DeleteProfile(2));
    EXPECT_TRUE(db_.DeleteProfile(42));  // no such row is still a successful statement
    ASSERT_EQ(db_.ListProfiles(profiles), 2);
    EXPECT_EQ(profiles[1].profile, 3);
    EXPECT_EQ(db_.AddProfile({.name = L"Four"}), 4);  // ids are not reused
}

TEST_F(TableOperations, OneProfileIsCurrentAtMost) {
    for (int i = 0; i < 3; ++i) {
        ASSERT_GT(db_.AddProfile({.name = L"p"}), 0);
    }
    EXPECT_EQ(db_.GetCurrentProfile(), 0);
    EXPECT_TRUE(db_.SetCurrentProfile(2));
    EXPECT_EQ(db_.GetCurrentProfile(), 2);
    EXPECT_TRUE(db_.SetCurrentProfile(3));
    EXPECT_EQ(db_.GetCurrentProfile(), 3);
    EXPECT_EQ(QueryInt(db_, "SELECT count(*) FROM t_profile_data WHERE status = 1"), 1);

    EXPECT_TRUE(db_.SetCurrentProfile(77));
    EXPECT_EQ(db_.GetCurrentProfile(), 0);
}

TEST_F(TableOperations, DeletingAProfileKeepsItsKeyAssignments) {
    ASSERT_EQ(db_.AddProfile({.name = L"p"}), 1);
    ASSERT_GT(db_.SaveKeyAssignment(Assignment(1, 0, 4, 5)), 0);
    ASSERT_TRUE(db_.DeleteProfile(1));
    std::vector<KeyAssignment> kept;
    EXPECT_EQ(db_.ListProfileKeyAssignments(1, kept), 1);
}

// Key assignments ---------------------------------------------------------------------------

TEST_F(TableOperations, KeyAssignmentRoundTripsEveryField) {
    const KeyAssignment stored{.key_id = 99,
                               .profile = 2,
                               .fn_layer = 1,
                               .key_code = 0x2C,
                               .layout_value = 7,
                               .layout_desc = L"布局",
                               .macro_type = 10,
                               .macro_value = 3,
                               .macro_value2 = -4,
                               .macro_value3 = INT_MAX,
                               .macro_desc = L"Отправить текст"};
    const int id = db_.SaveKeyAssignment(stored);
    ASSERT_EQ(id, 1);
    KeyAssignment read;
    ASSERT_TRUE(db_.GetKeyAssignment(2, 1, 0x2C, read));
    EXPECT_EQ(read.key_id, id);
    EXPECT_EQ(read.profile, 2);
    EXPECT_EQ(read.fn_layer, 1);
    EXPECT_EQ(read.key_code, 0x2C);
    EXPECT_EQ(read.layout_value, 7);
    EXPECT_EQ(read.layout_desc, L"布局");
    EXPECT_EQ(read.macro_type, 10);
    EXPECT_EQ(read.macro_value, 3);
    EXPECT_EQ(read.macro_value2, -4);
    EXPECT_EQ(read.macro_value3, INT_MAX);
    EXPECT_EQ(read.macro_desc, L"Отправить текст");
}

TEST_F(TableOperations, SavingAKeyReplacesRemovesOrSkips) {
    ASSERT_GT(db_.SaveKeyAssignment(Assignment(1, 0, 4, 5, L"first")), 0);
    ASSERT_GT(db_.SaveKeyAssignment(Assignment(1, 1, 4, 6)), 0);  // the Fn layer is its own
    ASSERT_GT(db_.SaveKeyAssignment(Assignment(2, 0, 4, 7)), 0);  // so is another profile

    // Saving again leaves one row with the new values.
    const int replaced = db_.SaveKeyAssignment(Assignment(1, 0, 4, 8, L"second"));
    EXPECT_GT(replaced, 0);
    KeyAssignment read;
    ASSERT_TRUE(db_.GetKeyAssignment(1, 0, 4, read));
    EXPECT_EQ(read.key_id, replaced);
    EXPECT_EQ(read.macro_desc, L"second");
    EXPECT_EQ(QueryInt(db_,
                       "SELECT count(*) FROM t_key_macro_data WHERE profile = 1 AND "
                       "fn_layer = 0 AND key_code = 4"),
              1);

    // Key code 0 is no key: nothing changes.
    EXPECT_EQ(db_.SaveKeyAssignment(Assignment(1, 0, 0, 9)), 0);
    EXPECT_EQ(QueryInt(db_, "SELECT count(*) FROM t_key_macro_data"), 3);

    // No function value: the key's row goes and the key is back to its default.
    EXPECT_EQ(db_.SaveKeyAssignment(Assignment(1, 0, 4, 0)), 0);
    EXPECT_FALSE(db_.GetKeyAssignment(1, 0, 4, read));
    EXPECT_TRUE(db_.GetKeyAssignment(1, 1, 4, read));
    EXPECT_TRUE(db_.GetKeyAssignment(2, 0, 4, read));
}

TEST_F(TableOperations, KeyAssignmentListsFilterByProfileAndLayer) {
    for (const KeyAssignment& a : {Assignment(1, 0, 4, 1), Assignment(1, 0, 5, 1),
                                   Assignment(1, 1, 4, 1), Assignment(2, 0, 4, 1)}) {
        ASSERT_GT(db_.SaveKeyAssignment(a), 0);
    }
    std::vector<KeyAssignment> list(9);
    EXPECT_EQ(db_.ListKeyAssignments(1, 0, list), 2);
    EXPECT_EQ(list.size(), 2U);
    EXPECT_EQ(db_.ListKeyAssignments(1, 1, list), 1);
    EXPECT_EQ(db_.ListProfileKeyAssignments(1, list), 3);
    EXPECT_EQ(db_.ListProfileKeyAssignments(3, list), 0);
    EXPECT_TRUE(list.empty());
}

TEST_F(TableOperations, KeyActionsStoreTheirParameters) {
    const int id = db_.AddKeyAction(L"notepad", L"C:\\Windows\\notepad.exe", 8);
    ASSERT_EQ(id, 1);
    std::wstring desc;
    std::wstring param;
    int type = 0;
    EXPECT_TRUE(db_.GetKeyAction(id, desc, param, type));
    EXPECT_EQ(desc, L"notepad");
    EXPECT_EQ(param, L"C:\\Windows\\notepad.exe");
    EXPECT_EQ(type, 8);

    // A missing row still reports true and leaves what the caller preset.
    std::wstring preset_desc = L"preset";
    std::wstring preset_param = L"p";
    int preset_type = -1;
    EXPECT_TRUE(db_.GetKeyAction(id + 1, preset_desc, preset_param, preset_type));
    EXPECT_EQ(preset_desc, L"preset");
    EXPECT_EQ(preset_param, L"p");
    EXPECT_EQ(preset_type, -1);
}

// Lighting ----------------------------------------------------------------------------------

TEST_F(TableOperations, LightSettingsRoundTripAndUpdateOnlyTheirValues) {
    EXPECT_EQ(db_.CountLightSettings(), 0);
    for (int mode = 0; mode < 3; ++mode) {
        EXPECT_EQ(db_.AddLightSetting(Light(mode)), mode + 1);
    }
    ASSERT_GT(db_.AddLightSetting(Light(1, 2)), 0);  // another profile: never seen
    EXPECT_EQ(db_.CountLightSettings(), 3);

    LightSetting read;
    ASSERT_TRUE(db_.GetLightSetting(2, read));
    const LightSetting expected = Light(2);
    EXPECT_EQ(read.light_id, 3);
    EXPECT_EQ(read.profile, 1);
    EXPECT_EQ(read.name, expected.name);
    EXPECT_EQ(read.mode, 2);
    EXPECT_EQ(read.brightness, expected.brightness);
    EXPECT_EQ(read.speed, expected.speed);
    EXPECT_EQ(read.direction, expected.direction);
    EXPECT_EQ(read.colorful, expected.colorful);
    EXPECT_EQ(read.colorindex, expected.colorindex);
    EXPECT_EQ(read.color_value, expected.color_value);
    EXPECT_EQ(read.config_func, expected.config_func);
    EXPECT_EQ(read.reserved, expected.reserved);
    EXPECT_EQ(read.status, 0);

    const LightSetting update{.name = L"ignored",
                              .mode = 0,
                              .brightness = 55,
                              .speed = 4,
                              .direction = 0,
                              .colorful = 0,
                              .colorindex = 3,
                              .color_value = 0x000000FF,
                              .config_func = 7,
                              .reserved = 9,
                              .status = 1};
    EXPECT_TRUE(db_.UpdateLightSetting(2, update));
    ASSERT_TRUE(db_.GetLightSetting(2, read));
    EXPECT_EQ(read.mode, 2);
    EXPECT_EQ(read.name, expected.name);
    EXPECT_EQ(read.status, 0);
    EXPECT_EQ(read.brightness, 55);
    EXPECT_EQ(read.speed, 4);
    EXPECT_EQ(read.direction, 0);
    EXPECT_EQ(read.colorful, 0);
    EXPECT_EQ(read.colorindex, 3);
    EXPECT_EQ(read.color_value, 0x000000FF);
    EXPECT_EQ(read.config_func, 7);
    EXPECT_EQ(read.reserved, 9);
    ASSERT_TRUE(db_.GetLightSetting(1, read));
    EXPECT_EQ(read.brightness, Light(1).brightness);  // other modes untouched

    std::vector<LightSetting> list;
    EXPECT_EQ(db_.ListLightSettings(list), 3);
    EXPECT_FALSE(db_.GetLightSetting(9, read));
}

TEST_F(TableOperations, OneLightModeIsActiveAndProfilesDoNotMatter) {
    for (int mode = 0; mode < 3; ++mode) {
        ASSERT_GT(db_.AddLightSetting(Light(mode)), 0);
    }
    EXPECT_EQ(db_.GetActiveLightMode(), 0);  // nothing active reads as 0
    EXPECT_TRUE(db_.SetActiveLightMode(2));
    EXPECT_EQ(db_.GetActiveLightMode(), 2);
    EXPECT_TRUE(db_.SetActiveLightMode(1));
    EXPECT_EQ(db_.GetActiveLightMode(), 1);
    EXPECT_EQ(QueryInt(db_, "SELECT count(*) FROM t_light_data WHERE status = 1"), 1);

    ASSERT_GT(db_.AddProfile({.name = L"a"}), 0);
    ASSERT_GT(db_.AddProfile({.name = L"b"}), 0);
    ASSERT_TRUE(db_.SetCurrentProfile(2));
    LightSetting read;
    ASSERT_TRUE(db_.GetLightSetting(1, read));
    EXPECT_EQ(read.profile, 1);
    EXPECT_EQ(db_.GetActiveLightMode(), 1);
}

// Per-key colours ---------------------------------------------------------------------------

TEST_F(TableOperations, KeyColoursAreStoredListedAndDeletedByMode) {
    std::vector<KeyColour> colours;
    colours.reserve(110);
    for (int key = 0; key < 109; ++key) {
        colours.push_back(
            {.profile = 1, .light_id = 0, .key_code = key + 4, .key_rgb = key * 0x010203});
    }
    colours.push_back({.profile = 1, .light_id = 5, .key_code = 4, .key_rgb = 0x00FFFFFF});
    EXPECT_EQ(db_.AddKeyColours(colours), 110);

    std::vector<KeyColour> read;
    ASSERT_EQ(db_.ListKeyColours(0, read), 109);
    EXPECT_EQ(read[0].keylight_id, 1);
    EXPECT_EQ(read[0].profile, 1);
    EXPECT_EQ(read[0].light_id, 0);
    EXPECT_EQ(read[108].key_code, 112);
    EXPECT_EQ(read[108].key_rgb, 108 * 0x010203);

    EXPECT_TRUE(db_.DeleteKeyColours(0));
    EXPECT_EQ(db_.ListKeyColours(0, read), 0);
    ASSERT_EQ(db_.ListKeyColours(5, read), 1);
    EXPECT_EQ(read[0].key_rgb, 0x00FFFFFF);
}

TEST_F(TableOperations, EmptyColourListCommitsAnEmptyTransaction) {
    EXPECT_EQ(db_.AddKeyColours({}), 0);
    // Nothing was left open: a new transaction can begin.
    EXPECT_EQ(db_.Execute("BEGIN; END;"), 0);
}

TEST_F(TableOperations, BulkInsertCountsOnlyStoredRowsAndLeavesNoTransactionOpen) {
    ASSERT_EQ(db_.Execute("DROP TABLE t_key_light_data"), 0);
    EXPECT_EQ(db_.AddKeyColours({{.key_code = 4}, {.key_code = 5}}), 0);
    EXPECT_EQ(db_.Execute("BEGIN; END;"), 0);
}

// Macros ------------------------------------------------------------------------------------

TEST_F(TableOperations, MacrosKeepEveryFieldInItsColumn) {
    const int added = db_.AddMacro(L"宏 1");
    ASSERT_EQ(added, 1);
    MacroInfo read;
    ASSERT_TRUE(db_.GetMacro(added, read));
    EXPECT_EQ(read.macro_id, 1);
    EXPECT_EQ(read.name, L"宏 1");
    EXPECT_EQ(read.play_times, 1);
    EXPECT_EQ(read.delay_type, 1);
    EXPECT_EQ(read.delay_time, 0);
    EXPECT_EQ(read.link_count, 0);

    // Distinct values in every field catch a column read into the wrong field.
    const int inserted = db_.InsertMacro({.macro_id = 50,
                                          .name = L"imported",
                                          .link_count = 2,
                                          .play_times = 3,
                                          .delay_type = 4,
                                          .delay_time = 5});
    ASSERT_EQ(inserted, 2);
    std::vector<MacroInfo> macros;
    ASSERT_EQ(db_.ListMacros(macros), 2);
    EXPECT_EQ(macros[1].macro_id, 2);
    EXPECT_EQ(macros[1].name, L"imported");
    EXPECT_EQ(macros[1].link_count, 2);
    EXPECT_EQ(macros[1].play_times, 3);
    EXPECT_EQ(macros[1].delay_type, 4);
    EXPECT_EQ(macros[1].delay_time, 5);

    EXPECT_TRUE(db_.RenameMacro(2, L"renamed"));
    EXPECT_TRUE(db_.SetMacroLinkCount(2, 6));
    ASSERT_TRUE(db_.GetMacro(2, read));
    EXPECT_EQ(read.name, L"renamed");
    EXPECT_EQ(read.link_count, 6);
    EXPECT_FALSE(db_.GetMacro(3, read));
}

TEST_F(TableOperations, MacroStepsComeBackInRecordOrder) {
    const int macro = db_.AddMacro(L"m");
    db_.AddMacroEvents({{.macro_id = macro,
                         .type = 3,
                         .record_index = 2,
                         .value = 4,
                         .delay_time = 30,
                         .desc = L"A ↑"},
                        {.macro_id = macro,
                         .type = 2,
                         .record_index = 0,
                         .value = 4,
                         .delay_time = 10,
                         .desc = L"A ↓"},
                        {.macro_id = macro,
                         .type = 2,
                         .record_index = 1,
                         .value = 5,
                         .delay_time = 20,
                         .desc = L"B"},
                        {.macro_id = 99,
                         .type = 2,
                         .record_index = 0,
                         .value = 6,
                         .delay_time = 1,
                         .desc = L"other"}});
    EXPECT_EQ(db_.CountAllMacroEvents(), 4);

    std::vector<MacroEvent> events;
    ASSERT_EQ(db_.ListMacroEvents(macro, events), 3);
    EXPECT_EQ(events[0].record_index, 0);
    EXPECT_EQ(events[1].record_index, 1);
    EXPECT_EQ(events[2].record_index, 2);
    EXPECT_EQ(events[0].record_id, 2);
    EXPECT_EQ(events[0].macro_id, macro);
    EXPECT_EQ(events[0].type, 2);
    EXPECT_EQ(events[0].value, 4);
    EXPECT_EQ(events[0].delay_time, 10);
    EXPECT_EQ(events[0].desc, L"A ↓");
    EXPECT_EQ(events[2].type, 3);
    EXPECT_EQ(events[2].delay_time, 30);

    EXPECT_TRUE(db_.DeleteMacroEvents(macro));
    EXPECT_EQ(db_.ListMacroEvents(macro, events), 0);
    EXPECT_EQ(db_.CountAllMacroEvents(), 1);
}

TEST_F(TableOperations, DeletingAMacroTakesOnlyItsSteps) {
    const int kept = db_.AddMacro(L"kept");
    const int gone = db_.AddMacro(L"gone");
    db_.AddMacroEvents(
        {{.macro_id = kept, .value = 1, .desc = L""}, {.macro_id = gone, .value = 2, .desc = L""}});
    EXPECT_TRUE(db_.DeleteMacro(gone));
    MacroInfo read;
    EXPECT_FALSE(db_.GetMacro(gone, read));
    EXPECT_TRUE(db_.GetMacro(kept, read));
    std::vector<MacroEvent> events;
    EXPECT_EQ(db_.ListMacroEvents(gone, events), 0);
    EXPECT_EQ(db_.ListMacroEvents(kept, events), 1);
}

TEST_F(TableOperations, FailedMacroDeleteLeavesTheSteps) {
    const int macro = db_.AddMacro(L"m");
    db_.AddMacroEvents({{.macro_id = macro, .value = 1, .desc = L""}});
    // A trigger makes the first delete fail; the steps must then stay.
    ASSERT_EQ(db_.Execute("CREATE TRIGGER no_delete BEFORE DELETE ON t_macro_data "
                          "BEGIN SELECT RAISE(ABORT, 'locked'); END"),
              0);
    EXPECT_FALSE(db_.DeleteMacro(macro));
    EXPECT_EQ(db_.CountAllMacroEvents(), 1);
}

// Music -------------------------------------------------------------------------------------

TEST_F(TableOperations, MusicLayerStartsWithItsDefaultsAndUpdates) {
    EXPECT_EQ(db_.CountMusicLayers(), 0);
    ASSERT_EQ(db_.AddMusicLayer(L"音乐律动"), 1);
    EXPECT_EQ(db_.CountMusicLayers(), 1);
    EXPECT_EQ(QueryInt(db_, "SELECT sel FROM t_musiclayer_data"), 0);

    MusicLayer layer;
    ASSERT_TRUE(db_.GetMusicLayer(1, layer));
    EXPECT_EQ(layer.layer_id, 1);
    EXPECT_EQ(layer.profile, 1);
    EXPECT_EQ(layer.name, L"音乐律动");
    EXPECT_EQ(layer.deviceindex, 0);
    EXPECT_EQ(layer.foremode, 13);
    EXPECT_EQ(layer.fore_amplitude, 100);
    EXPECT_EQ(layer.backmode, 0);
    EXPECT_EQ(layer.backb_right, 10);

    EXPECT_TRUE(db_.UpdateMusicLayer(1, {.layer_id = 7,
                                         .profile = 7,
                                         .name = L"x",
                                         .deviceindex = 1,
                                         .foremode = 2,
                                         .fore_amplitude = 3,
                                         .backmode = 4,
                                         .backb_right = 5}));
    ASSERT_TRUE(db_.GetMusicLayer(1, layer));
    EXPECT_EQ(layer.layer_id, 1);
    EXPECT_EQ(layer.profile, 1);
    EXPECT_EQ(layer.name, L"音乐律动");
    EXPECT_EQ(layer.deviceindex, 1);
    EXPECT_EQ(layer.foremode, 2);
    EXPECT_EQ(layer.fore_amplitude, 3);
    EXPECT_EQ(layer.backmode, 4);
    EXPECT_EQ(layer.backb_right, 5);
    EXPECT_FALSE(db_.GetMusicLayer(2, layer));
}

// Ids ---------------------------------------------------------------------------------------

// When the id counter has reached the top of 32 bits, an insert must fail rather than hand out
// a truncated id that names another row, and it must leave no row behind.
TEST_F(TableOperations, InsertsBeyondThirtyTwoBitIdsFailCleanly) {
    struct Case {
        const char* table;
        std::function<int(ConfigDatabase&)> insert;
    };
    const Case cases[] = {
        {"t_profile_data", [](ConfigDatabase& db) { return db.AddProfile({.name = L"p"}); }},
        {"t_key_macro_data",
         [key = 4](ConfigDatabase& db) mutable {
             return db.SaveKeyAssignment(Assignment(1, 0, key++, 5));
         }},
        {"t_key_otherdata", [](ConfigDatabase& db) { return db.AddKeyAction(L"a", L"", 9); }},
        {"t_light_data", [](ConfigDatabase& db) { return db.AddLightSetting(Light(1)); }},
        {"t_macro_data", [](ConfigDatabase& db) { return db.AddMacro(L"m"); }},
        {"t_musiclayer_data", [](ConfigDatabase& db) { return db.AddMusicLayer(L"music"); }},
    };
    for (const Case& c : cases) {
        const std::string table = c.table;
        ASSERT_EQ(db_.Execute(("INSERT INTO sqlite_sequence(name, seq) VALUES ('" + table +
                               "', 2147483646)")
                                  .c_str()),
                  0);
        EXPECT_EQ(c.insert(db_), INT_MAX) << table;  // the last id that fits
        EXPECT_EQ(c.insert(db_), 0) << table;
        EXPECT_EQ(QueryInt(db_, ("SELECT count(*) FROM " + table).c_str()), 1) << table;
    }
}

}  // namespace
}  // namespace keyloom::store_test
