// The keyloom program. Until the main window exists it runs the start-up that needs no
// window, opens the database, reads the device identity and says what it did.

#include <cstdio>
#include <string>

#include "app/windowless_startup.h"
#include "platform/folders.h"
#include "platform/fs_path.h"
#include "platform/ini_file.h"
#include "platform/instance_lock.h"
#include "store/config_database.h"
#include "text/utf_convert.h"

namespace keyloom {
namespace {

constexpr const wchar_t* kInstanceName = L"Ostrel X9 Driver";

void Say(const std::string& line) {
    std::fputs((line + "\n").c_str(), stdout);
}

std::string Utf8(const std::wstring& text) {
    return WideToUtf8(text);
}

// Brings the running instance's main window forward; true when one was activated. The main
// window will carry the marker this looks for; until it exists there is nothing to activate.
bool ActivateRunningInstance() {
    return false;
}

int Run() {
    // Held until the process ends, however it ends.
    static const InstanceLock instance_lock(kInstanceName);
    if (instance_lock.AlreadyExists()) {
        Say(ActivateRunningInstance() ? "keyloom is already running; its window was brought "
                                        "to the front."
                                      : "keyloom is already running.");
        return 0;
    }
    if (instance_lock.GetState() == InstanceLock::State::kUnavailable) {
        Say("note: the single-instance lock could not be made; carrying on without it.");
    }

    const WindowlessStartupResult startup = RunWindowlessStartup();
    Say("settings: " + SettingsStore::DefaultPath().string());
    Say("language: " + std::to_string(startup.lcid) +
        (startup.stored_lcid == 0 ? " (first start)" : "") +
        (startup.lcid_written ? "" : " (could not be stored)"));
    Say("database folder: " + Utf8(startup.database_folder) +
        (startup.database_folder_ready ? "" : " (could not be created)"));

    ConfigDatabase database;
    const bool opened = database.OpenDatabase(GetDataFolder(), L"kb_data");
    Say(opened ? "database: " + database.DatabasePath() : "database: could not be opened");

    const std::wstring config_path = JoinPath(GetModuleFolder(), L"config.ini");
    const IniFile config = IniFile::Load(ToFsPath(config_path));
    if (config.IsLoaded()) {
        Say("configuration: " + Utf8(config_path));
        Say("keyboard: VID " + Utf8(config.GetString(L"TEXT", L"VID ")) + ", PID " +
            Utf8(config.GetString(L"TEXT", L"PID ")));
        Say("version: " + Utf8(config.GetString(L"TEXT", L"VERSION")));
    } else {
        Say("configuration: " + Utf8(config_path) + " is missing; no keyboard is configured.");
    }

    Say("the main window is not built yet.");
    return 0;
}

}  // namespace
}  // namespace keyloom

int main() {
    return keyloom::Run();
}
