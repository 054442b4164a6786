#include "store/config_database.h"

#include <cstdint>
#include <filesystem>
#include <limits>
#include <string>
#include <system_error>
#include <utility>

#include "platform/folders.h"
#include "platform/fs_path.h"
#include "store/bound_statement.h"
#include "text/utf_convert.h"

namespace keyloom {
namespace {

namespace fs = std::filesystem;

// SQLite's open flags: read-write | full mutex, and the same with create.
constexpr int kOpenExisting = 0x10002;
constexpr int kOpenOrCreate = 0x10006;

// Settings, lighting and music rows always belong to profile 1.
constexpr int kGlobalProfile = 1;

// Table, then the index on its key, in creation order.
constexpr const char* kSchema[] = {
    "CREATE TABLE IF NOT EXISTS t_config_data(config_id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "profile INTEGER, key TEXT, value TEXT)",

    "CREATE TABLE IF NOT EXISTS t_profile_data(profile INTEGER PRIMARY KEY AUTOINCREMENT, "
    "name TEXT, status INTEGER)",
    "CREATE INDEX IF NOT EXISTS profileindex ON t_profile_data(profile)",

    "CREATE TABLE IF NOT EXISTS t_key_macro_data(key_id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "profile INTEGER, fn_layer INTEGER, key_code INTEGER, layout_value INTEGER, "
    "layout_desc TEXT, macro_type INTEGER, macro_value INTEGER, macro_value2 INTEGER, "
    "macro_value3 INTEGER, macro_desc TEXT)",
    "CREATE INDEX IF NOT EXISTS keyindex ON t_key_macro_data(key_id)",

    "CREATE TABLE IF NOT EXISTS t_key_otherdata(macro_value INTEGER PRIMARY KEY AUTOINCREMENT, "
    "macro_desc TEXT, param TEXT, type INTEGER)",
    "CREATE INDEX IF NOT EXISTS otheridindex ON t_key_otherdata(macro_value)",

    "CREATE TABLE IF NOT EXISTS t_light_data(light_id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "profile INTEGER, name TEXT, mode INTEGER, brightness INTEGER, speed INTEGER, "
    "direction INTEGER, colorful INTEGER, colorindex INTEGER, color_value INTEGER, "
    "config_func INTEGER, reserved INTEGER, status INTEGER)",
    "CREATE INDEX IF NOT EXISTS lightindex ON t_light_data(light_id)",

    "CREATE TABLE IF NOT EXISTS t_key_light_data(keylight_id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "profile INTEGER, light_id INTEGER, key_code INTEGER, key_rgb INTEGER)",
    "CREATE INDEX IF NOT EXISTS keylightindex ON t_key_light_data(keylight_id)",

    "CREATE TABLE IF NOT EXISTS t_macro_data(macro_id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "play_times INTEGER, delay_type INTEGER, delay_time INTEGER, link_count INTEGER, "
    "name TEXT)",
    "CREATE INDEX IF NOT EXISTS macroidindex ON t_macro_data(macro_id)",

    "CREATE TABLE IF NOT EXISTS t_macrorecord(record_id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "macro_id INTEGER, type INTEGER, record_index INTEGER, desc TEXT, value INTEGER, "
    "delay_time INTEGER)",
    "CREATE INDEX IF NOT EXISTS macrorecordindex ON t_macrorecord(record_id)",

    "CREATE TABLE IF NOT EXISTS t_musiclayer_data(layer_id INTEGER PRIMARY KEY AUTOINCREMENT, "
    "profile INTEGER, name TEXT, deviceindex INTEGER, foremode INTEGER, "
    "fore_amplitude INTEGER, backmode INTEGER, backb_right INTEGER, sel INTEGER)",
    "CREATE INDEX IF NOT EXISTS musiclayerindex ON t_musiclayer_data(layer_id)",
};

constexpr const char* kInsertConfig =
    "INSERT INTO t_config_data(profile, key, value) VALUES (?, ?, ?);";

struct DefaultSetting {
    const char* key;
    const char* value;
};

constexpr DefaultSetting kDefaultSettings[] = {
    {"version", "1.0.1"}, {"fn_layer", "0"},       {"lightmode", "1"},
    {"sleep_light", "0"}, {"userlight", "0"},      {"disable_gamemode", "0"},
    {"disable_win", "0"}, {"disable_alttab", "0"}, {"disable_altf4", "0"},
};

constexpr const char* kWipeAll[] = {
    "DELETE FROM t_config_data",   "DELETE FROM t_profile_data", "DELETE FROM t_key_macro_data",
    "DELETE FROM t_key_otherdata", "DELETE FROM t_light_data",   "DELETE FROM t_key_light_data",
    "DELETE FROM t_macro_data",    "DELETE FROM t_macrorecord",  "DELETE FROM t_musiclayer_data",
    "DELETE FROM sqlite_sequence",
};

constexpr const char* kInsertMacro =
    "INSERT INTO t_macro_data(play_times, delay_type, delay_time, link_count, name) VALUES (?, "
    "?, ?, ?, ?);";

std::wstring DatabaseFilePath(const std::wstring& folder, const std::wstring& name) {
    return JoinPath(folder, L"db\\" + name + L"_data_v5.db");
}

bool FileExists(const std::wstring& path) {
    std::error_code error;
    return fs::exists(ToFsPath(path), error);
}

// A first run that stopped between creating the file and its tables leaves zero bytes behind.
// Such a file holds nothing to keep, and taken as it is no table would ever exist in it.
bool IsEmptyFile(const std::wstring& path) {
    std::error_code error;
    const fs::path file = ToFsPath(path);
    return fs::is_regular_file(file, error) && fs::file_size(file, error) == 0;
}

// Steps an insert and gives its row id, 0 when it failed. Callers hold 32-bit ids, and a
// truncated id would name some other row (or none); such a row is taken out again and the
// insert reported as failed.
int StepInsert(SQLiteDB& database, BoundStatement& insert, const char* table) {
    if (!insert.Run()) {
        return 0;
    }
    const std::int64_t id = database.LastInsertRowId();
    if (id > 0 && id <= std::numeric_limits<int>::max()) {
        return static_cast<int>(id);
    }
    if (id > 0) {
        const std::string remove =
            std::string("DELETE FROM ") + table + " WHERE rowid = " + std::to_string(id);
        database.Execute(remove.c_str());
    }
    return 0;
}

int FirstInt(BoundStatement& query) {
    return query.NextRow() ? query.ColumnInt(0) : 0;
}

template <typename Record, typename Read>
int CollectRows(BoundStatement& query, std::vector<Record>& out, Read read) {
    while (query.NextRow()) {
        Record record;
        read(query, record);
        out.push_back(std::move(record));
    }
    return static_cast<int>(out.size());
}

void ReadProfile(const BoundStatement& row, ProfileInfo& info) {
    info.profile = row.ColumnInt(0);
    info.name = row.ColumnText(1);
    info.status = row.ColumnInt(2);
}

void ReadKeyAssignment(const BoundStatement& row, KeyAssignment& a) {
    a.key_id = row.ColumnInt(0);
    a.profile = row.ColumnInt(1);
    a.fn_layer = row.ColumnInt(2);
    a.key_code = row.ColumnInt(3);
    a.layout_value = row.ColumnInt(4);
    a.layout_desc = row.ColumnText(5);
    a.macro_type = row.ColumnInt(6);
    a.macro_value = row.ColumnInt(7);
    a.macro_value2 = row.ColumnInt(8);
    a.macro_value3 = row.ColumnInt(9);
    a.macro_desc = row.ColumnText(10);
}

void ReadLightSetting(const BoundStatement& row, LightSetting& s) {
    s.light_id = row.ColumnInt(0);
    s.profile = row.ColumnInt(1);
    s.name = row.ColumnText(2);
    s.mode = row.ColumnInt(3);
    s.brightness = row.ColumnInt(4);
    s.speed = row.ColumnInt(5);
    s.direction = row.ColumnInt(6);
    s.colorful = row.ColumnInt(7);
    s.colorindex = row.ColumnInt(8);
    s.color_value = row.ColumnInt(9);
    s.config_func = row.ColumnInt(10);
    s.reserved = row.ColumnInt(11);
    s.status = row.ColumnInt(12);
}

void ReadKeyColour(const BoundStatement& row, KeyColour& c) {
    c.keylight_id = row.ColumnInt(0);
    c.profile = row.ColumnInt(1);
    c.light_id = row.ColumnInt(2);
    c.key_code = row.ColumnInt(3);
    c.key_rgb = row.ColumnInt(4);
}

// The table's column order differs from the record's.
void ReadMacro(const BoundStatement& row, MacroInfo& m) {
    m.macro_id = row.ColumnInt(0);
    m.play_times = row.ColumnInt(1);
    m.delay_type = row.ColumnInt(2);
    m.delay_time = row.ColumnInt(3);
    m.link_count = row.ColumnInt(4);
    m.name = row.ColumnText(5);
}

void ReadMacroEvent(const BoundStatement& row, MacroEvent& e) {
    e.record_id = row.ColumnInt(0);
    e.macro_id = row.ColumnInt(1);
    e.type = row.ColumnInt(2);
    e.record_index = row.ColumnInt(3);
    e.desc = row.ColumnText(4);
    e.value = row.ColumnInt(5);
    e.delay_time = row.ColumnInt(6);
}

void ReadMusicLayer(const BoundStatement& row, MusicLayer& l) {
    l.layer_id = row.ColumnInt(0);
    l.profile = row.ColumnInt(1);
    l.name = row.ColumnText(2);
    l.deviceindex = row.ColumnInt(3);
    l.foremode = row.ColumnInt(4);
    l.fore_amplitude = row.ColumnInt(5);
    l.backmode = row.ColumnInt(6);
    l.backb_right = row.ColumnInt(7);
}

// Ends a bulk insert. Should the commit fail, the connection must not stay inside the
// transaction (every later write would silently join it), so it is rolled back and nothing
// counts as stored.
int FinishBulkInsert(SQLiteDB& database, SQLiteAutoTransaction& transaction, int stored) {
    if (transaction.End()) {
        return stored;
    }
    if (database.IsOpen()) {
        database.Execute("ROLLBACK");
    }
    return 0;
}

}  // namespace

ConfigDatabase::~ConfigDatabase() {
    if (opened_) {
        Close();
        opened_ = false;
    }
}

// Lifecycle ---------------------------------------------------------------------------------

bool ConfigDatabase::OpenOrCreateLocked(const std::wstring& folder, const std::wstring& name) {
    const std::wstring path = DatabaseFilePath(folder, name);
    path_ = WideToUtf8(path);
    if (FileExists(path) && !IsEmptyFile(path)) {
        // An existing file is used as it is: no check, no missing tables added.
        return IsOpen() || Open(path_.c_str(), key_, kOpenExisting);
    }
    return CreateSchemaLocked();
}

bool ConfigDatabase::OpenDatabase(const std::wstring& folder, const std::wstring& name) {
    std::lock_guard<std::mutex> guard(lock_);
    const bool result = OpenOrCreateLocked(folder, name);

    // A one-time copy of the file as the first run without a backup found it. copy_options::none
    // refuses to replace anything already at the backup path.
    const std::wstring backup = JoinPath(folder, L"db\\data_bak.db");
    if (!FileExists(backup)) {
        std::error_code ignored;
        fs::copy_file(ToFsPath(DatabaseFilePath(folder, name)), ToFsPath(backup),
                      fs::copy_options::none, ignored);
    }
    opened_ = result;
    return result;
}

void ConfigDatabase::ResetDatabase(const std::wstring& folder, const std::wstring& name) {
    bool result = false;
    {
        std::lock_guard<std::mutex> guard(lock_);
        result = OpenOrCreateLocked(folder, name);
    }
    DeleteAllData();
    opened_ = result;
}

bool ConfigDatabase::CreateSchema() {
    std::lock_guard<std::mutex> guard(lock_);
    return CreateSchemaLocked();
}

bool ConfigDatabase::CreateSchemaLocked() {
    if (IsOpen()) {
        return true;
    }
    // Without a path SQLite would open a private temporary database and report success.
    if (path_.empty() || !Open(path_.c_str(), key_, kOpenOrCreate)) {
        return false;
    }
    bool all_ran = true;
    for (const char* sql : kSchema) {
        all_ran = Execute(sql) == kSqliteOk && all_ran;
    }
    return all_ran;
}

void ConfigDatabase::InsertDefaultConfig() {
    // Locked like every other write: an unlocked insert could land between another thread's
    // insert and its reading of the new row id.
    std::lock_guard<std::mutex> guard(lock_);
    for (const auto& setting : kDefaultSettings) {
        BoundStatement insert(*this, kInsertConfig);
        insert.Int(kGlobalProfile).Utf8(setting.key).Utf8(setting.value).Step();
    }
}

void ConfigDatabase::DeleteAllData() {
    std::lock_guard<std::mutex> guard(lock_);
    for (const char* sql : kWipeAll) {
        BoundStatement wipe(*this, sql);
        wipe.Step();
    }
}

// Settings ----------------------------------------------------------------------------------

bool ConfigDatabase::GetConfigValue(const std::wstring& key, std::wstring& value) {
    value.clear();
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement query(*this, "SELECT value FROM t_config_data WHERE profile = ? and key = ?");
    query.Int(kGlobalProfile).Text(key);
    const int result = query.Step();
    if (result == kSqliteRow) {
        value = query.ColumnText(0);
        return true;
    }
    if (result == kSqliteMisuse) {
        value = L"0";
        BoundStatement insert(*this, kInsertConfig);
        insert.Int(kGlobalProfile).Text(key).Utf8("0").Step();
    }
    return false;
}

bool ConfigDatabase::SetConfigValue(const std::wstring& key, const std::wstring& value) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement update(*this,
                          "UPDATE t_config_data SET value = ? WHERE profile = ? and key = ?");
    return update.Text(value).Int(kGlobalProfile).Text(key).Run();
}

// Profiles ----------------------------------------------------------------------------------

int ConfigDatabase::AddProfile(const ProfileInfo& info) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement insert(*this, "INSERT INTO t_profile_data(name, status) VALUES (?, ?);");
    insert.Text(info.name).Int(0);
    return StepInsert(*this, insert, "t_profile_data");
}

bool ConfigDatabase::DeleteProfile(int profile) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement remove(*this, "DELETE FROM t_profile_data WHERE profile = ?");
    return remove.Int(profile).Run();
}

bool ConfigDatabase::RenameProfile(int profile, const std::wstring& name) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement update(*this, "UPDATE t_profile_data SET name = ? WHERE profile = ?");
    return update.Text(name).Int(profile).Run();
}

int ConfigDatabase::ListProfiles(std::vector<ProfileInfo>& profiles) {
    profiles.clear();
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement query(*this, "SELECT * FROM t_profile_data");
    return CollectRows(query, profiles, ReadProfile);
}

bool ConfigDatabase::SetCurrentProfile(int profile) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement update(*this, "UPDATE t_profile_data SET status = ?");
    update.Int(0).Step();
    update.Reset("UPDATE t_profile_data SET status = ? WHERE profile = ?");
    return update.Int(1).Int(profile).Run();
}

int ConfigDatabase::GetCurrentProfile() {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement query(*this, "SELECT profile FROM t_profile_data WHERE status = ?");
    query.Int(1);
    return FirstInt(query);
}

// Key assignments ---------------------------------------------------------------------------

int ConfigDatabase::SaveKeyAssignment(const KeyAssignment& a) {
    if (a.key_code == 0) {
        return 0;
    }
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement statement(
        *this, "DELETE FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?");
    statement.Int(a.profile).Int(a.fn_layer).Int(a.key_code).Step();
    if (a.macro_value == 0) {
        return 0;
    }
    statement.Reset(
        "INSERT INTO t_key_macro_data(profile, fn_layer, key_code, layout_value, layout_desc,    "
        "                 macro_type, macro_value, macro_value2, macro_value3, macro_desc) "
        "\t\t\t\t\t VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?);");
    statement.Int(a.profile)
        .Int(a.fn_layer)
        .Int(a.key_code)
        .Int(a.layout_value)
        .Text(a.layout_desc)
        .Int(a.macro_type)
        .Int(a.macro_value)
        .Int(a.macro_value2)
        .Int(a.macro_value3)
        .Text(a.macro_desc);
    return StepInsert(*this, statement, "t_key_macro_data");
}

bool ConfigDatabase::GetKeyAssignment(int profile, int fn_layer, int key_code,
                                      KeyAssignment& assignment) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement query(
        *this,
        "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ? and key_code = ?");
    query.Int(profile).Int(fn_layer).Int(key_code);
    if (!query.NextRow()) {
        return false;
    }
    ReadKeyAssignment(query, assignment);
    return true;
}

int ConfigDatabase::ListKeyAssignments(int profile, int fn_layer,
                                       std::vector<KeyAssignment>& assignments) {
    assignments.clear();
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement query(*this,
                         "SELECT * FROM t_key_macro_data WHERE profile = ? and fn_layer = ?");
    query.Int(profile).Int(fn_layer);
    return CollectRows(query, assignments, ReadKeyAssignment);
}

int ConfigDatabase::ListProfileKeyAssignments(int profile,
                                              std::vector<KeyAssignment>& assignments) {
    assignments.clear();
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement query(*this, "SELECT * FROM t_key_macro_data WHERE profile = ?");
    query.Int(profile);
    return CollectRows(query, assignments, ReadKeyAssignment);
}

int ConfigDatabase::AddKeyAction(const std::wstring& macro_desc, const std::wstring& param,
                                 int type) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement insert(*this,
                          "INSERT INTO t_key_otherdata(macro_desc, param, type) VALUES (?, ?, ?);");
    insert.Text(macro_desc).Text(param).Int(type);
    return StepInsert(*this, insert, "t_key_otherdata");
}

bool ConfigDatabase::GetKeyAction(int macro_value, std::wstring& macro_desc, std::wstring& param,
                                  int& type) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement query(
        *this, "SELECT macro_desc, param, type FROM t_key_otherdata WHERE macro_value = ?");
    query.Int(macro_value);
    if (query.NextRow()) {
        macro_desc = query.ColumnText(0);
        param = query.ColumnText(1);
        type = query.ColumnInt(2);
    }
    // Callers preset the outputs and rely on them when there is no row.
    return true;
}

// Lighting ----------------------------------------------------------------------------------

int ConfigDatabase::CountLightSettings() {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement query(*this, "select count(*) FROM t_light_data WHERE profile = ?");
    query.Int(kGlobalProfile);
    return FirstInt(query);
}

int ConfigDatabase::AddLightSetting(const LightSetting& s) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement insert(
        *this,
        "INSERT INTO t_light_data(profile, name, mode, brightness, speed, "
        "direction, \t\t\t\t\t colorful, colorindex, color_value, config_func, "
        "reserved, status) \t\t\t\t\t VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?);");
    insert.Int(s.profile)
        .Text(s.name)
        .Int(s.mode)
        .Int(s.brightness)
        .Int(s.speed)
        .Int(s.direction)
        .Int(s.colorful)
        .Int(s.colorindex)
        .Int(s.color_value)
        .Int(s.config_func)
        .Int(s.reserved)
        .Int(s.status);
    return StepInsert(*this, insert, "t_light_data");
}

bool ConfigDatabase::UpdateLightSetting(int mode, const LightSetting& s) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement update(*this,
                          "UPDATE t_light_data SET brightness = ?, speed = ?, direction = ?, "
                          "colorful = ?, colorindex = ?,\t\t\t color_value = ?, config_func = ?, "
                          "reserved = ? WHERE profile = ? AND mode = ?");
    return update.Int(s.brightness)
        .Int(s.speed)
        .Int(s.direction)
        .Int(s.colorful)
        .Int(s.colorindex)
        .Int(s.color_value)
        .Int(s.config_func)
        .Int(s.reserved)
        .Int(kGlobalProfile)
        .Int(mode)
        .Run();
}

bool ConfigDatabase::SetActiveLightMode(int mode) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement update(*this, "UPDATE t_light_data SET status = ?");
    update.Int(0).Step();
    update.Reset("UPDATE t_light_data SET status = ? WHERE profile = ? and mode = ?");
    return update.Int(1).Int(kGlobalProfile).Int(mode).Run();
}

int ConfigDatabase::GetActiveLightMode() {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement query(*this, "SELECT mode FROM t_light_data WHERE profile = ? and status = ?");
    query.Int(kGlobalProfile).Int(1);
    return FirstInt(query);
}

bool ConfigDatabase::GetLightSetting(int mode, LightSetting& setting) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement query(*this, "SELECT * FROM t_light_data WHERE profile = ? AND mode = ?");
    query.Int(kGlobalProfile).Int(mode);
    if (!query.NextRow()) {
        return false;
    }
    ReadLightSetting(query, setting);
    return true;
}

int ConfigDatabase::ListLightSettings(std::vector<LightSetting>& settings) {
    settings.clear();
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement query(*this, "SELECT * FROM t_light_data WHERE profile = ?");
    query.Int(kGlobalProfile);
    return CollectRows(query, settings, ReadLightSetting);
}

// Per-key colours ---------------------------------------------------------------------------

// The list is handed over (the callers build it for this call alone).
// NOLINTNEXTLINE(performance-unnecessary-value-param)
int ConfigDatabase::AddKeyColours(std::vector<KeyColour> colours) {
    std::lock_guard<std::mutex> guard(lock_);
    SQLiteAutoTransaction transaction(this);
    transaction.Begin();
    BoundStatement insert(*this);
    int stored = 0;
    for (const KeyColour& c : colours) {
        insert.Reset(
            "INSERT INTO t_key_light_data(profile, light_id, key_code, key_rgb) VALUES (?, ?, ?, "
            "?);");
        if (insert.Int(c.profile).Int(c.light_id).Int(c.key_code).Int(c.key_rgb).Run()) {
            ++stored;
        }
    }
    // What was stored, not what was given: a caller must be able to see a failed save.
    return FinishBulkInsert(*this, transaction, stored);
}

bool ConfigDatabase::DeleteKeyColours(int light_id) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement remove(*this, "DELETE FROM t_key_light_data WHERE light_id = ?");
    return remove.Int(light_id).Run();
}

int ConfigDatabase::ListKeyColours(int light_id, std::vector<KeyColour>& colours) {
    colours.clear();
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement query(*this, "SELECT * FROM t_key_light_data WHERE light_id = ?");
    query.Int(light_id);
    return CollectRows(query, colours, ReadKeyColour);
}

// Macros ------------------------------------------------------------------------------------

int ConfigDatabase::AddMacro(const std::wstring& name) {
    MacroInfo info;
    info.name = name;
    info.play_times = 1;
    info.delay_type = 1;
    return InsertMacro(info);
}

int ConfigDatabase::InsertMacro(const MacroInfo& info) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement insert(*this, kInsertMacro);
    insert.Int(info.play_times)
        .Int(info.delay_type)
        .Int(info.delay_time)
        .Int(info.link_count)
        .Text(info.name);
    return StepInsert(*this, insert, "t_macro_data");
}

bool ConfigDatabase::RenameMacro(int macro_id, const std::wstring& name) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement update(*this, "UPDATE t_macro_data SET name = ? WHERE macro_id = ?");
    return update.Text(name).Int(macro_id).Run();
}

bool ConfigDatabase::SetMacroLinkCount(int macro_id, int link_count) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement update(*this, "UPDATE t_macro_data SET link_count = ? WHERE macro_id = ?");
    return update.Int(link_count).Int(macro_id).Run();
}

bool ConfigDatabase::DeleteMacro(int macro_id) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement remove(*this, "DELETE FROM t_macro_data WHERE macro_id = ?");
    if (!remove.Int(macro_id).Run()) {
        return false;
    }
    remove.Reset("DELETE FROM t_macrorecord WHERE macro_id = ?");
    return remove.Int(macro_id).Run();
}

bool ConfigDatabase::GetMacro(int macro_id, MacroInfo& info) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement query(*this, "SELECT * FROM t_macro_data WHERE macro_id = ?");
    query.Int(macro_id);
    if (!query.NextRow()) {
        return false;
    }
    ReadMacro(query, info);
    return true;
}

int ConfigDatabase::ListMacros(std::vector<MacroInfo>& macros) {
    macros.clear();
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement query(*this, "SELECT * FROM t_macro_data");
    return CollectRows(query, macros, ReadMacro);
}

// NOLINTNEXTLINE(performance-unnecessary-value-param): handed over, as the colours above
void ConfigDatabase::AddMacroEvents(std::vector<MacroEvent> events) {
    std::lock_guard<std::mutex> guard(lock_);
    SQLiteAutoTransaction transaction(this);
    transaction.Begin();
    BoundStatement insert(*this);
    int stored = 0;
    for (const MacroEvent& e : events) {
        insert.Reset(
            "INSERT INTO t_macrorecord(macro_id, type, record_index, desc, value, delay_time) "
            "\t\t\t\t\t VALUES (?, ?, ?, ?, ?, ?);");
        insert.Int(e.macro_id)
            .Int(e.type)
            .Int(e.record_index)
            .Text(e.desc)
            .Int(e.value)
            .Int(e.delay_time);
        if (insert.Run()) {
            ++stored;
        }
    }
    FinishBulkInsert(*this, transaction, stored);
}

int ConfigDatabase::ListMacroEvents(int macro_id, std::vector<MacroEvent>& events) {
    events.clear();
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement query(
        *this, "SELECT * FROM t_macrorecord WHERE macro_id = ? ORDER BY record_index ASC");
    query.Int(macro_id);
    return CollectRows(query, events, ReadMacroEvent);
}

bool ConfigDatabase::DeleteMacroEvents(int macro_id) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement remove(*this, "DELETE FROM t_macrorecord WHERE macro_id = ?");
    return remove.Int(macro_id).Run();
}

int ConfigDatabase::CountAllMacroEvents() {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement query(*this, "select count(*) FROM t_macrorecord");
    return FirstInt(query);
}

// Music -------------------------------------------------------------------------------------

int ConfigDatabase::CountMusicLayers() {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement query(*this, "select count(*) FROM t_musiclayer_data WHERE profile = ?");
    query.Int(kGlobalProfile);
    return FirstInt(query);
}

int ConfigDatabase::AddMusicLayer(const std::wstring& name) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement insert(*this,
                          "INSERT INTO t_musiclayer_data(profile, name, deviceindex, foremode, "
                          "fore_amplitude, backmode, backb_right, sel) "
                          "\t\t\t\t\t\t\t\t\t\t\t\t\tVALUES (?, ?, ?, ?, ?, ?, ?, ?);");
    insert.Int(kGlobalProfile).Text(name).Int(0).Int(13).Int(100).Int(0).Int(10).Int(0);
    return StepInsert(*this, insert, "t_musiclayer_data");
}

bool ConfigDatabase::GetMusicLayer(int layer_id, MusicLayer& layer) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement query(*this, "SELECT * FROM t_musiclayer_data WHERE layer_id = ?");
    query.Int(layer_id);
    if (!query.NextRow()) {
        return false;
    }
    ReadMusicLayer(query, layer);
    return true;
}

bool ConfigDatabase::UpdateMusicLayer(int layer_id, const MusicLayer& layer) {
    std::lock_guard<std::mutex> guard(lock_);
    BoundStatement update(*this,
                          "UPDATE t_musiclayer_data SET deviceindex= ?, foremode= ?, "
                          "fore_amplitude = ?, backmode= ?, backb_right= ? WHERE layer_id = ?");
    return update.Int(layer.deviceindex)
        .Int(layer.foremode)
        .Int(layer.fore_amplitude)
        .Int(layer.backmode)
        .Int(layer.backb_right)
        .Int(layer_id)
        .Run();
}

}  // namespace keyloom
