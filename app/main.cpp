// The keyloom program. Until the main window exists it runs the start-up that needs no
// window, opens the database, reads the device identity and says what it did.

#include <cstdio>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "app/windowless_startup.h"
#include "device/device_config.h"
#include "device/device_manager.h"
#include "device/hidapi_library.h"
#include "localization/load_text.h"
#include "platform/folders.h"
#include "platform/fs_path.h"
#include "platform/ini_file.h"
#include "platform/instance_lock.h"
#include "protocol/keyboard_jobs.h"
#include "sim/demo_keyboard.h"
#include "store/config_database.h"
#include "store/default_profiles.h"
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

// True when a keyboard with the configured ids is attached and its configuration interface
// can be seen. Asked of a library of its own, before the process-wide one is chosen.
bool RealKeyboardAttached(int vendor_id, int product_id) {
    if (vendor_id == 0 && product_id == 0) {
        return false;
    }
    const auto probe = CreateHidapiLibrary();
    if (!probe) {
        return false;
    }
    for (const HidDeviceInfo& info : probe->Enumerate(static_cast<std::uint16_t>(vendor_id),
                                                      static_cast<std::uint16_t>(product_id))) {
        if (info.interface_number == 2) {
            return true;
        }
    }
    return false;
}

// Opens the keyboard (the virtual one when no real one is attached, or when asked for),
// reads its key maps into the store the way the program does when a keyboard connects, and
// says what it found.
void ConnectKeyboard(const IniFile& config, ConfigDatabase& database, bool demo_requested) {
    const int vendor_id = ParseHexId(config.GetString(L"TEXT", L"VID "));
    const int product_id = ParseHexId(config.GetString(L"TEXT", L"PID "));
    std::optional<sim::DemoKeyboard> demo;
    if (demo_requested || !RealKeyboardAttached(vendor_id, product_id)) {
        demo = sim::InstallDemoKeyboard(static_cast<std::uint16_t>(vendor_id),
                                        static_cast<std::uint16_t>(product_id));
        Say(demo_requested ? "keyboard: the virtual keyboard (demo mode)."
                           : "keyboard: none attached; the virtual keyboard stands in. To reach a "
                             "real keyboard as an ordinary user, install the udev rule once: "
                             "sudo " +
                                 Utf8(JoinPath(GetModuleFolder(), L"udev/install-udev-rule.sh")));
    }

    CDeviceManager& devices = CDeviceManager::GetInstance();
    DeviceConfig device_config(devices);
    device_config.LoadDeviceConfig(config);
    if (!device_config.IsConnected()) {
        Say("keyboard: " + Utf8(LoadText(2)));
        return;
    }
    const int release = devices.FirmwareRelease();
    char version[16];
    std::snprintf(version, sizeof version, "%X.%02X", (release >> 8) & 0xFF, release & 0xFF);
    Say(std::string("keyboard: connected, firmware ") + version);

    std::vector<ProfileInfo> profiles;
    LoadProfilesWithDefaults(database, profiles);
    const int current = database.GetCurrentProfile();
    for (const ProfileInfo& profile : profiles) {
        Say(std::string(profile.profile == current ? "  * " : "    ") + "profile " +
            std::to_string(profile.profile) + ": " +
            Utf8(ProfileDisplayName(profile.name, CurrentLcid)));
    }

    KeyboardJobs jobs(devices, database);
    JobContext context;
    context.keyboard_index = device_config.KeyboardIndex();
    context.current_profile = current > 0 ? current : 1;
    const ReadOutResult read = jobs.ReadKeyboard(context);
    if (read.reconciled) {
        Say("key maps: read (" + std::to_string(read.exchanges) + " exchanges); " +
            std::to_string(read.assignments_deleted) +
            " stored assignments the keyboard no longer carries were removed.");
    } else {
        Say("key maps: the keyboard did not return both maps whole (" +
            std::to_string(read.failed) + " of " + std::to_string(read.exchanges) +
            " exchanges failed); the store was left as it was.");
    }
    devices.CloseAll();
}

int Run(bool demo_requested) {
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
        ConnectKeyboard(config, database, demo_requested);
    } else {
        Say("configuration: " + Utf8(config_path) + " is missing; no keyboard is configured.");
    }

    Say("the main window is not built yet.");
    return 0;
}

}  // namespace
}  // namespace keyloom

int main(int argc, char** argv) {
    bool demo = false;
    for (int i = 1; i < argc; ++i) {
        demo = demo || std::strcmp(argv[i], "--demo") == 0;
    }
    return keyloom::Run(demo);
}
