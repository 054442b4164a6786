#include "sim/sim_hotplug_monitor.h"

namespace keyloom::sim {

SimHotplugMonitor::SimHotplugMonitor(std::shared_ptr<VirtualKeyboard> keyboard)
    : keyboard_(std::move(keyboard)) {}

SimHotplugMonitor::~SimHotplugMonitor() {
    Stop();
}

bool SimHotplugMonitor::Start(HotplugCallback callback) {
    {
        std::lock_guard lock(delivery_->mutex);
        delivery_->callback = std::move(callback);
    }
    if (keyboard_) {
        keyboard_->SetPlugObserver(
            [delivery = delivery_](bool arrived, const std::wstring& identity) {
                std::lock_guard lock(delivery->mutex);
                if (delivery->callback) {
                    delivery->callback(arrived ? HotplugEvent::kArrival : HotplugEvent::kRemoval,
                                       identity);
                }
            });
    }
    return true;
}

void SimHotplugMonitor::Stop() {
    if (keyboard_) {
        keyboard_->SetPlugObserver(nullptr);
    }
    std::lock_guard lock(delivery_->mutex);
    delivery_->callback = nullptr;
}

bool SimHotplugMonitor::Emit(HotplugEvent event, const std::wstring& identity) {
    std::lock_guard lock(delivery_->mutex);
    if (!delivery_->callback) {
        return false;
    }
    delivery_->callback(event, identity);
    return true;
}

}  // namespace keyloom::sim
