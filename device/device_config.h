#pragma once

// The controller's view of the keyboard: the configured model, the keyboard index and the
// connected flag, kept in step with the device manager by LoadDeviceConfig, RescanDevice and
// OnDeviceChange. The controller owns one; what it must do in the UI (post the arrival job,
// restart the action listener, hide the page of a keyboard that went away) arrives through
// the hooks, so this class runs without a window.

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "device/device_manager.h"
#include "platform/hotplug_monitor.h"
#include "platform/ini_file.h"

namespace keyloom {

// Hexadecimal id text as config.ini holds it ("7A21"): leading blanks and a 0x prefix are
// accepted, conversion stops at the first non-hex character, no digits give 0.
int ParseHexId(std::wstring_view text);

// "VID_%s&PID_%s&MI_02" with the two texts as read.
std::wstring BuildInterfacePattern(std::wstring_view vendor_text, std::wstring_view product_text);

class DeviceConfig {
public:
    struct Hooks {
        // Queue the arrival job (wait 1 s, RescanDevice, reload) on the worker.
        std::function<void()> post_arrival_task;
        std::function<void()> restart_listener;
        // The keyboard that was connected is gone: hide the current page and make page 1
        // current. Called on the thread that rescanned.
        std::function<void()> keyboard_lost;
    };

    explicit DeviceConfig(CDeviceManager& manager, Hooks hooks = {});

    // Reads "VID " and "PID " of section "TEXT", appends the model, adds the manager's filter
    // and rescans. The controller then starts the hot-plug monitor, loads the layout and
    // starts the action listener.
    void LoadDeviceConfig(const IniFile& config);
    // The same with config.ini from the program's folder.
    void LoadDeviceConfig();

    // Closes and rescans; updates keyboard index and connected. Safe from any thread.
    void RescanDevice();

    // A hot-plug notification naming a device interface (Windows form, any case).
    void OnDeviceChange(HotplugEvent event, std::wstring_view interface_name);

    int KeyboardIndex() const { return keyboard_index_; }
    bool IsConnected() const { return connected_; }
    std::vector<DeviceModel> Models() const;

private:
    CDeviceManager& manager_;
    Hooks hooks_;
    mutable std::mutex models_mutex_;
    std::vector<DeviceModel> models_;
    // Serialises rescans (UI-thread removals, worker arrivals) with their state updates;
    // apart from the models' lock so a notification is not held up by a rescan in progress.
    std::mutex rescan_mutex_;
    std::atomic<int> keyboard_index_{-1};
    std::atomic<bool> connected_{false};
};

}  // namespace keyloom
