#pragma once

// The application's one database: file location, schema, defaults, factory wipe and every
// table operation. Each table operation holds the lock for its whole duration, so the UI
// thread and the worker thread never interleave within one operation.

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "store/records.h"
#include "store/sqlite_db.h"

namespace keyloom {

class ConfigDatabase : public SQLiteDB {
public:
    ConfigDatabase() = default;
    ~ConfigDatabase() override;

    // Lifecycle. `folder` ends with a path separator; `name` is "kb_data" in the program.
    bool OpenDatabase(const std::wstring& folder, const std::wstring& name);
    void ResetDatabase(const std::wstring& folder, const std::wstring& name);
    bool CreateSchema();
    void InsertDefaultConfig();
    void DeleteAllData();
    bool IsOpened() const { return opened_; }
    const std::string& DatabasePath() const { return path_; }

    // Settings (profile 1).
    bool GetConfigValue(const std::wstring& key, std::wstring& value);
    bool SetConfigValue(const std::wstring& key, const std::wstring& value);

    // Profiles.
    int AddProfile(const ProfileInfo& info);
    bool DeleteProfile(int profile);
    bool RenameProfile(int profile, const std::wstring& name);
    int ListProfiles(std::vector<ProfileInfo>& profiles);
    bool SetCurrentProfile(int profile);
    int GetCurrentProfile();

    // Key assignments and the parameters of application, website and text assignments.
    int SaveKeyAssignment(const KeyAssignment& assignment);
    bool GetKeyAssignment(int profile, int fn_layer, int key_code, KeyAssignment& assignment);
    int ListKeyAssignments(int profile, int fn_layer, std::vector<KeyAssignment>& assignments);
    int ListProfileKeyAssignments(int profile, std::vector<KeyAssignment>& assignments);
    int AddKeyAction(const std::wstring& macro_desc, const std::wstring& param, int type);
    bool GetKeyAction(int macro_value, std::wstring& macro_desc, std::wstring& param, int& type);

    // Lighting (profile 1).
    int CountLightSettings();
    int AddLightSetting(const LightSetting& setting);
    bool UpdateLightSetting(int mode, const LightSetting& setting);
    bool SetActiveLightMode(int mode);
    int GetActiveLightMode();
    bool GetLightSetting(int mode, LightSetting& setting);
    int ListLightSettings(std::vector<LightSetting>& settings);

    // Per-key colours; light_id holds a mode number.
    int AddKeyColours(std::vector<KeyColour> colours);
    bool DeleteKeyColours(int light_id);
    int ListKeyColours(int light_id, std::vector<KeyColour>& colours);

    // Macros and their steps.
    int AddMacro(const std::wstring& name);
    int InsertMacro(const MacroInfo& info);
    bool RenameMacro(int macro_id, const std::wstring& name);
    bool SetMacroLinkCount(int macro_id, int link_count);
    bool DeleteMacro(int macro_id);
    bool GetMacro(int macro_id, MacroInfo& info);
    int ListMacros(std::vector<MacroInfo>& macros);
    void AddMacroEvents(std::vector<MacroEvent> events);
    int ListMacroEvents(int macro_id, std::vector<MacroEvent>& events);
    bool DeleteMacroEvents(int macro_id);
    int CountAllMacroEvents();

    // Music settings (profile 1).
    int CountMusicLayers();
    int AddMusicLayer(const std::wstring& name);
    bool GetMusicLayer(int layer_id, MusicLayer& layer);
    bool UpdateMusicLayer(int layer_id, const MusicLayer& layer);

private:
    // Callers hold lock_. Opens the file at folder/db/<name>_data_v5.db, creating it with the
    // schema when it is missing.
    bool OpenOrCreateLocked(const std::wstring& folder, const std::wstring& name);
    bool CreateSchemaLocked();

    std::mutex lock_;
    std::string path_;
    std::string key_;
    // Read by IsOpened from any thread.
    std::atomic<bool> opened_ = false;
};

}  // namespace keyloom
