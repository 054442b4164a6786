#include "app/windowless_startup.h"

#include "localization/load_text.h"
#include "platform/folders.h"

namespace keyloom {

WindowlessStartupResult RunWindowlessStartup(const SettingsStore& settings,
                                             const std::wstring& data_folder) {
    WindowlessStartupResult result;
    result.stored_lcid = settings.ReadLanguage();
    result.lcid = result.stored_lcid == 0 ? kFirstStartLcid : result.stored_lcid;
    CurrentLcid = result.lcid;
    // Stored at every start, so the store always holds the language in use.
    result.lcid_written = settings.WriteLanguage(result.lcid);

    result.database_folder = JoinPath(data_folder, L"db") + kPathSeparator;
    result.database_folder_ready = CreateFolderPath(result.database_folder);
    return result;
}

WindowlessStartupResult RunWindowlessStartup() {
    return RunWindowlessStartup(SettingsStore::Default(), GetDataFolder());
}

}  // namespace keyloom
