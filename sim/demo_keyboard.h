#pragma once

// Demo mode: the program runs against a virtual keyboard in place of the real one. The
// keyboard answers to the configured ids after 1 ms, like the real device, and becomes the
// HID library of the process-wide device manager; its unplug and replug reach the program
// through the hot-plug monitor returned here.

#include <cstdint>
#include <memory>
#include <optional>

#include "sim/sim_hid_library.h"
#include "sim/sim_hotplug_monitor.h"
#include "sim/virtual_keyboard.h"

namespace keyloom::sim {

struct DemoKeyboard {
    std::shared_ptr<VirtualKeyboard> keyboard;
    std::shared_ptr<SimHidLibrary> library;
    std::unique_ptr<SimHotplugMonitor> monitor;  // start it in place of CreateHotplugMonitor()
};

inline constexpr auto kDemoAnswerLatency = std::chrono::milliseconds(1);

// Must run before CDeviceManager::GetInstance is first used; nothing when it already was.
std::optional<DemoKeyboard> InstallDemoKeyboard(std::uint16_t vendor_id, std::uint16_t product_id);

}  // namespace keyloom::sim
