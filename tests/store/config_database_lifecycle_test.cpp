#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "store/config_database.h"
#include "tests/store/store_fixture.h"

namespace keyloom::store_test {
namespace {

std::vector<std::string> QueryTexts(SQLiteDB& db, const char* sql) {
    std::vector<std::string> rows;
    SQLiteStatement statement;
    db.Prepare(statement, sql);
    while (statement.Step() == 100) {
        std::string row;
        for (int column = 0; statement.GetColumnText(column) != nullptr; ++column) {
            row += (column > 0 ? " " : "") + std::string(statement.GetColumnText(column));
        }
        rows.push_back(row);
    }
    return rows;
}

std::vector<std::string> Columns(SQLiteDB& db, const std::string& table) {
    return QueryTexts(db,
                      ("SELECT name, type, pk FROM pragma_table_info('" + table + "')").c_str());
}

bool HasTable(SQLiteDB& db, const std::string& table) {
    return QueryInt(db,
                    ("SELECT count(*) FROM sqlite_master WHERE name = '" + table + "'").c_str()) ==
           1;
}

TEST_F(StoreTest, FirstRunCreatesNineTablesAndEightIndexesInOrder) {
    EXPECT_TRUE(db_.IsOpened());
    EXPECT_EQ(db_.DatabasePath(), DatabaseFile().string());

    EXPECT_EQ(QueryTexts(db_,
                         "SELECT type, name, tbl_name FROM sqlite_master "
                         "WHERE name NOT LIKE 'sqlite_%' ORDER BY rowid"),
              (std::vector<std::string>{
                  "table t_config_data t_config_data",
                  "table t_profile_data t_profile_data",
                  "index profileindex t_profile_data",
                  "table t_key_macro_data t_key_macro_data",
                  "index keyindex t_key_macro_data",
                  "table t_key_otherdata t_key_otherdata",
                  "index otheridindex t_key_otherdata",
                  "table t_light_data t_light_data",
                  "index lightindex t_light_data",
                  "table t_key_light_data t_key_light_data",
                  "index keylightindex t_key_light_data",
                  "table t_macro_data t_macro_data",
                  "index macroidindex t_macro_data",
                  "table t_macrorecord t_macrorecord",
                  "index macrorecordindex t_macrorecord",
                  "table t_musiclayer_data t_musiclayer_data",
                  "index musiclayerindex t_musiclayer_data",
              }));

    // Stored files depend on every name, type and position.
    const std::pair<std::string, std::vector<std::string>> tables[] = {
        {"t_config_data",
         {"config_id INTEGER 1", "profile INTEGER 0", "key TEXT 0", "value TEXT 0"}},
        {"t_profile_data", {"profile INTEGER 1", "name TEXT 0", "status INTEGER 0"}},
        {"t_key_macro_data",
         {"key_id INTEGER 1", "profile INTEGER 0", "fn_layer INTEGER 0", "key_code INTEGER 0",
          "layout_value INTEGER 0", "layout_desc TEXT 0", "macro_type INTEGER 0",
          "macro_value INTEGER 0", "macro_value2 INTEGER 0", "macro_value3 INTEGER 0",
          "macro_desc TEXT 0"}},
        {"t_key_otherdata",
         {"macro_value INTEGER 1", "macro_desc TEXT 0", "param TEXT 0", "type INTEGER 0"}},
        {"t_light_data",
         {"light_id INTEGER 1", "profile INTEGER 0", "name TEXT 0", "mode INTEGER 0",
          "brightness INTEGER 0", "speed INTEGER 0", "direction INTEGER 0", "colorful INTEGER 0",
          "colorindex INTEGER 0", "color_value INTEGER 0", "config_func INTEGER 0",
          "reserved INTEGER 0", "status INTEGER 0"}},
        {"t_key_light_data",
         {"keylight_id INTEGER 1", "profile INTEGER 0", "light_id INTEGER 0", "key_code INTEGER 0",
          "key_rgb INTEGER 0"}},
        {"t_macro_data",
         {"macro_id INTEGER 1", "play_times INTEGER 0", "delay_type INTEGER 0",
          "delay_time INTEGER 0", "link_count INTEGER 0", "name TEXT 0"}},
        {"t_macrorecord",
         {"record_id INTEGER 1", "macro_id INTEGER 0", "type INTEGER 0", "record_index INTEGER 0",
          "desc TEXT 0", "value INTEGER 0", "delay_time INTEGER 0"}},
        {"t_musiclayer_data",
         {"layer_id INTEGER 1", "profile INTEGER 0", "name TEXT 0", "deviceindex INTEGER 0",
          "foremode INTEGER 0", "fore_amplitude INTEGER 0", "backmode INTEGER 0",
          "backb_right INTEGER 0", "sel INTEGER 0"}},
    };
    for (const auto& [table, columns] : tables) {
        EXPECT_EQ(Columns(db_, table), columns) << table;
    }
    // Ids are never reused: every key counts through sqlite_sequence. No other constraints.
    EXPECT_EQ(QueryInt(db_,
                       "SELECT count(*) FROM sqlite_master WHERE type = 'table' AND "
                       "sql LIKE '%PRIMARY KEY AUTOINCREMENT%'"),
              9);
    EXPECT_EQ(QueryInt(db_,
                       "SELECT count(*) FROM sqlite_master WHERE sql LIKE '%NOT NULL%' OR "
                       "sql LIKE '%DEFAULT%' OR sql LIKE '%REFERENCES%' OR "
                       "sql LIKE '%UNIQUE%'"),
              0);
    EXPECT_EQ(QueryTexts(db_,
                         "SELECT m.name, i.name FROM sqlite_master m, "
                         "pragma_index_info(m.name) i WHERE m.type = 'index' ORDER BY m.rowid"),
              (std::vector<std::string>{"profileindex profile", "keyindex key_id",
                                        "otheridindex macro_value", "lightindex light_id",
                                        "keylightindex keylight_id", "macroidindex macro_id",
                                        "macrorecordindex record_id", "musiclayerindex layer_id"}));
}

TEST_F(StoreTest, FirstRunBacksUpTheFreshFileAndLaterRunsLeaveTheBackup) {
    const std::string first_backup = ReadBytes(BackupFile());
    EXPECT_EQ(first_backup, ReadBytes(DatabaseFile()));
    ASSERT_EQ(db_.AddProfile({0, L"kept", 0}), 1);
    ASSERT_TRUE(db_.Close());

    ConfigDatabase second_run;
    ASSERT_TRUE(second_run.OpenDatabase(folder_.Wide(), kDatabaseName));
    std::vector<ProfileInfo> profiles;
    ASSERT_EQ(second_run.ListProfiles(profiles), 1);
    EXPECT_EQ(profiles[0].name, L"kept");
    EXPECT_EQ(ReadBytes(BackupFile()), first_backup);

    // A missing backup is made again from the file as it now is.
    ASSERT_TRUE(second_run.Close());
    std::filesystem::remove(BackupFile());
    ConfigDatabase third_run;
    ASSERT_TRUE(third_run.OpenDatabase(folder_.Wide(), kDatabaseName));
    EXPECT_EQ(ReadBytes(BackupFile()), ReadBytes(DatabaseFile()));
    EXPECT_NE(ReadBytes(BackupFile()), first_backup);
}

TEST_F(StoreTest, OpeningAgainWhileOpenKeepsTheConnection) {
    ASSERT_EQ(db_.AddMacro(L"m"), 1);
    EXPECT_TRUE(db_.OpenDatabase(folder_.Wide(), kDatabaseName));
    EXPECT_TRUE(db_.CreateSchema());
    MacroInfo macro;
    EXPECT_TRUE(db_.GetMacro(1, macro));
}

TEST(ConfigDatabaseFiles, ExistingBackupIsNeverOverwritten) {
    TempFolder folder;
    std::filesystem::create_directories(folder.path() / "db");
    const auto backup = folder.File("db/data_bak.db");
    WriteBytes(backup, "the user's own file");
    ConfigDatabase db;
    ASSERT_TRUE(db.OpenDatabase(folder.Wide(), kDatabaseName));
    EXPECT_EQ(ReadBytes(backup), "the user's own file");
}

TEST(ConfigDatabaseFiles, ZeroByteFileGetsTheSchema) {
    TempFolder folder;
    std::filesystem::create_directories(folder.path() / "db");
    WriteBytes(folder.File("db/kb_data_data_v5.db"), "");
    ConfigDatabase db;
    ASSERT_TRUE(db.OpenDatabase(folder.Wide(), kDatabaseName));
    EXPECT_EQ(db.AddProfile({.name = L"p"}), 1);
    EXPECT_EQ(db.AddMusicLayer(L"music"), 1);
}

TEST(ConfigDatabaseFiles, NonAsciiFoldersWork) {
    for (const std::wstring leaf : {L"配置 文件", L"Папка пользователя"}) {
        TempFolder folder(leaf);
        std::filesystem::create_directories(folder.path() / "db");
        {
            ConfigDatabase db;
            ASSERT_TRUE(db.OpenDatabase(folder.Wide(), kDatabaseName));
            ASSERT_EQ(db.AddProfile({0, leaf, 0}), 1);
        }
        EXPECT_TRUE(std::filesystem::exists(folder.path() / "db" / "kb_data_data_v5.db"));
        EXPECT_TRUE(std::filesystem::exists(folder.path() / "db" / "data_bak.db"));
        ConfigDatabase reopened;
        ASSERT_TRUE(reopened.OpenDatabase(folder.Wide(), kDatabaseName));
        std::vector<ProfileInfo> profiles;
        ASSERT_EQ(reopened.ListProfiles(profiles), 1);
        EXPECT_EQ(profiles[0].name, leaf);
    }
}

// Every operation on a database that could not be opened fails quietly.
void ExpectEverythingFailsQuietly(ConfigDatabase& db) {
    std::wstring value = L"preset";
    EXPECT_FALSE(db.GetConfigValue(L"disable_win", value));
    EXPECT_EQ(value, L"0");  // a statement that could not be prepared reads as "0"
    EXPECT_FALSE(db.SetConfigValue(L"disable_win", L"1"));
    EXPECT_EQ(db.AddProfile({0, L"p", 0}), 0);
    EXPECT_FALSE(db.RenameProfile(1, L"q"));
    EXPECT_FALSE(db.SetCurrentProfile(1));
    EXPECT_EQ(db.GetCurrentProfile(), 0);
    EXPECT_EQ(db.SaveKeyAssignment({0, 1, 0, 4, 0, L"", 2, 5, 0, 0, L"A"}), 0);
    std::vector<ProfileInfo> profiles(2);
    EXPECT_EQ(db.ListProfiles(profiles), 0);
    EXPECT_TRUE(profiles.empty());
    EXPECT_EQ(db.AddKeyColours({{0, 1, 0, 4, 0xFF}}), 0);
    EXPECT_EQ(db.AddMacro(L"m"), 0);
    EXPECT_EQ(db.CountAllMacroEvents(), 0);
    EXPECT_EQ(db.AddMusicLayer(L"music"), 0);
    MusicLayer layer;
    EXPECT_FALSE(db.GetMusicLayer(1, layer));
    db.AddMacroEvents({{0, 1, 2, 0, 4, 10, L"A"}});
    db.InsertDefaultConfig();
    db.DeleteAllData();
}

TEST(ConfigDatabaseFiles, FolderThatCannotHoldTheFileFailsSoftly) {
    TempFolder folder;
    // "db" is a file here, so nothing can be created below it.
    WriteBytes(folder.File("db"), "not a folder");
    ConfigDatabase db;
    EXPECT_FALSE(db.OpenDatabase(folder.Wide(), kDatabaseName));
    EXPECT_FALSE(db.IsOpened());
    EXPECT_FALSE(db.IsOpen());
    ExpectEverythingFailsQuietly(db);
    EXPECT_EQ(ReadBytes(folder.File("db")), "not a folder");

    ConfigDatabase never_opened;
    EXPECT_FALSE(never_opened.CreateSchema());  // no path yet: no stray temporary database
    EXPECT_FALSE(never_opened.IsOpen());
}

TEST(ConfigDatabaseFiles, ReadOnlyDataFolderFailsSoftly) {
    TempFolder folder;
    const auto db_folder = folder.path() / "db";
    std::filesystem::create_directories(db_folder);
    std::filesystem::permissions(
        db_folder, std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    WriteBytes(db_folder / "probe", "x");
    if (std::filesystem::exists(db_folder / "probe")) {
        std::filesystem::permissions(db_folder, std::filesystem::perms::owner_all);
        GTEST_SKIP() << "this account writes into read-only folders";
    }
    ConfigDatabase db;
    EXPECT_FALSE(db.OpenDatabase(folder.Wide(), kDatabaseName));
    EXPECT_FALSE(db.IsOpened());
    ExpectEverythingFailsQuietly(db);
    std::filesystem::permissions(db_folder, std::filesystem::perms::owner_all);
}

TEST(ConfigDatabaseFiles, FileThatIsNotADatabaseIsNeverChanged) {
    TempFolder folder;
    std::filesystem::create_directories(folder.path() / "db");
    const auto file = folder.File("db/kb_data_data_v5.db");
    const std::string garbage(3000, 'x');
    WriteBytes(file, garbage);
    {
        ConfigDatabase db;
        db.OpenDatabase(folder.Wide(), kDatabaseName);
        EXPECT_EQ(db.AddProfile({0, L"p", 0}), 0);
        std::vector<ProfileInfo> profiles;
        EXPECT_EQ(db.ListProfiles(profiles), 0);
        std::wstring value;
        EXPECT_FALSE(db.GetConfigValue(L"disable_win", value));
        EXPECT_EQ(db.SaveKeyAssignment({0, 1, 0, 4, 0, L"", 2, 5, 0, 0, L"A"}), 0);
        EXPECT_EQ(db.AddKeyColours({{0, 1, 0, 4, 0xFF}}), 0);
        db.AddMacroEvents({{0, 1, 2, 0, 4, 10, L"A"}});
        db.InsertDefaultConfig();
        db.ResetDatabase(folder.Wide(), kDatabaseName);
    }
    EXPECT_EQ(ReadBytes(file), garbage);
}

TEST_F(StoreTest, MissingTableFailsOnlyItsOwnOperations) {
    ASSERT_EQ(db_.Execute("DROP TABLE t_macro_data"), 0);
    ASSERT_TRUE(db_.Close());

    ConfigDatabase db;
    ASSERT_TRUE(db.OpenDatabase(folder_.Wide(), kDatabaseName));
    EXPECT_EQ(db.AddMacro(L"m"), 0);
    EXPECT_EQ(db.InsertMacro({0, L"m", 0, 1, 1, 0}), 0);
    EXPECT_FALSE(db.RenameMacro(1, L"n"));
    MacroInfo macro;
    EXPECT_FALSE(db.GetMacro(1, macro));
    std::vector<MacroInfo> macros(1);
    EXPECT_EQ(db.ListMacros(macros), 0);
    EXPECT_TRUE(macros.empty());
    EXPECT_FALSE(db.DeleteMacro(1));
    EXPECT_FALSE(HasTable(db, "t_macro_data"));  // an existing file is not repaired

    EXPECT_EQ(db.AddProfile({0, L"p", 0}), 1);
    db.AddMacroEvents({{0, 1, 2, 0, 4, 10, L"A"}});
    EXPECT_EQ(db.CountAllMacroEvents(), 1);
}

TEST_F(StoreTest, FactoryResetEmptiesEveryTableAndRestartsIds) {
    db_.InsertDefaultConfig();
    ASSERT_EQ(db_.AddProfile({0, L"a", 0}), 1);
    ASSERT_EQ(db_.AddProfile({0, L"b", 0}), 2);
    ASSERT_GT(db_.SaveKeyAssignment({0, 1, 0, 4, 0, L"", 2, 5, 0, 0, L"A"}), 0);
    ASSERT_GT(db_.AddKeyAction(L"site", L"", 9), 0);
    ASSERT_GT(db_.AddLightSetting({0, 1, L"Static", 1, 100, 2, 0, 0, 0, 0xFF, 0, 0, 1}), 0);
    ASSERT_EQ(db_.AddKeyColours({{0, 1, 0, 4, 0xFF}}), 1);
    ASSERT_GT(db_.AddMacro(L"m"), 0);
    db_.AddMacroEvents({{0, 1, 2, 0, 4, 10, L"A"}});
    ASSERT_GT(db_.AddMusicLayer(L"music"), 0);
    std::filesystem::remove(BackupFile());

    db_.ResetDatabase(folder_.Wide(), kDatabaseName);
    EXPECT_TRUE(db_.IsOpened());
    for (const char* table : {"t_config_data", "t_profile_data", "t_key_macro_data",
                              "t_key_otherdata", "t_light_data", "t_key_light_data", "t_macro_data",
                              "t_macrorecord", "t_musiclayer_data", "sqlite_sequence"}) {
        EXPECT_EQ(QueryInt(db_, (std::string("SELECT count(*) FROM ") + table).c_str()), 0)
            << table;
    }
    EXPECT_EQ(db_.AddProfile({0, L"again", 0}), 1);
    EXPECT_FALSE(std::filesystem::exists(BackupFile()));  // a reset makes no backup
}

TEST(ConfigDatabaseFiles, FactoryResetWithoutAFileCreatesIt) {
    TempFolder folder;
    std::filesystem::create_directories(folder.path() / "db");
    ConfigDatabase db;
    db.ResetDatabase(folder.Wide(), kDatabaseName);
    EXPECT_TRUE(db.IsOpened());
    EXPECT_EQ(db.AddProfile({0, L"p", 0}), 1);
    EXPECT_TRUE(std::filesystem::exists(folder.File("db/kb_data_data_v5.db")));
    EXPECT_FALSE(std::filesystem::exists(folder.File("db/data_bak.db")));
}

}  // namespace
}  // namespace keyloom::store_test
