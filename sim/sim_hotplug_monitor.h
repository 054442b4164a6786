#pragma once

// A HotplugMonitor fed by virtual keyboards' unplug and replug (demo mode and controller
// tests), and by Emit for notifications of any other device.

#include <memory>
#include <mutex>
#include <vector>

#include "platform/hotplug_monitor.h"
#include "sim/virtual_keyboard.h"

namespace keyloom::sim {

class SimHotplugMonitor final : public HotplugMonitor {
public:
    SimHotplugMonitor() = default;
    explicit SimHotplugMonitor(std::shared_ptr<VirtualKeyboard> keyboard);
    ~SimHotplugMonitor() override;
    SimHotplugMonitor(const SimHotplugMonitor&) = delete;
    SimHotplugMonitor& operator=(const SimHotplugMonitor&) = delete;

    bool Start(HotplugCallback callback) override;
    void Stop() override;

    // Delivers a notification as the platform would, on the calling thread; nothing while
    // stopped. Returns whether it was delivered.
    bool Emit(HotplugEvent event, const std::wstring& identity);

private:
    // Shared with the keyboard's observer, which may still be running when this is destroyed.
    struct Delivery {
        std::mutex mutex;  // held while delivering, so Stop waits for a callback in progress
        HotplugCallback callback;
    };

    std::shared_ptr<VirtualKeyboard> keyboard_;
    std::shared_ptr<Delivery> delivery_ = std::make_shared<Delivery>();
};

}  // namespace keyloom::sim
