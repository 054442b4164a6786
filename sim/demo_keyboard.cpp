#include "sim/demo_keyboard.h"

#include "device/device_manager.h"

namespace keyloom::sim {

std::optional<DemoKeyboard> InstallDemoKeyboard(std::uint16_t vendor_id, std::uint16_t product_id) {
    KeyboardOptions options;
    options.vendor_id = vendor_id;
    options.product_id = product_id;
    options.serial = "demo";
    DemoKeyboard demo;
    demo.keyboard = std::make_shared<VirtualKeyboard>(options);
    demo.keyboard->SetAnswerLatency(kDemoAnswerLatency);
    demo.library = std::make_shared<SimHidLibrary>(demo.keyboard);
    if (!CDeviceManager::UseProcessLibrary(demo.library)) {
        return std::nullopt;
    }
    demo.monitor = std::make_unique<SimHotplugMonitor>(demo.keyboard);
    return demo;
}

}  // namespace keyloom::sim
