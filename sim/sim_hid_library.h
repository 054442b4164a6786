#pragma once

// HidLibrary over virtual keyboards: what tests and demo mode hand the device manager and
// the action listener in place of hidapi. Keyboards are enumerated in the order they were
// added; "other devices" can be listed to exercise the scan's filtering.

#include <memory>
#include <mutex>
#include <vector>

#include "device/hid_library.h"
#include "sim/virtual_keyboard.h"

namespace keyloom::sim {

class SimHidLibrary final : public HidLibrary {
public:
    SimHidLibrary() = default;
    explicit SimHidLibrary(std::shared_ptr<VirtualKeyboard> keyboard);

    void AddKeyboard(std::shared_ptr<VirtualKeyboard> keyboard);
    // An interface of some other device: enumerated, never opened.
    void AddForeignInterface(HidDeviceInfo info);

    std::vector<HidDeviceInfo> Enumerate(std::uint16_t vendor_id,
                                         std::uint16_t product_id) override;
    std::unique_ptr<HidDevice> OpenPath(const std::string& path) override;

private:
    std::mutex mutex_;
    std::vector<std::shared_ptr<VirtualKeyboard>> keyboards_;
    std::vector<HidDeviceInfo> foreign_;
};

}  // namespace keyloom::sim
