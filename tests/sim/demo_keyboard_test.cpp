// Demo mode wires the process-wide device manager to a virtual keyboard. (The only test of
// this executable that touches the process-wide manager.)

#include "sim/demo_keyboard.h"

#include <gtest/gtest.h>

#include "device/device_config.h"

namespace keyloom::sim {
namespace {

TEST(DemoKeyboardTest, ProcessManagerTalksToTheVirtualKeyboard) {
    auto demo = InstallDemoKeyboard(0x3412, 0x7A21);
    ASSERT_TRUE(demo.has_value());
    EXPECT_FALSE(InstallDemoKeyboard(0x3412, 0x7A21).has_value());  // taken only once

    CDeviceManager& manager = CDeviceManager::GetInstance();
    EXPECT_EQ(&CDeviceManager::ProcessLibrary(), demo->library.get());
    DeviceConfig config(manager);
    std::vector<HotplugEvent> events;
    ASSERT_TRUE(demo->monitor->Start([&](HotplugEvent event, const std::wstring& identity) {
        events.push_back(event);
        config.OnDeviceChange(event, identity);
    }));
    config.LoadDeviceConfig(IniFile::Parse("[TEXT]\nVID=3412\nPID=7A21\n"));
    ASSERT_TRUE(config.IsConnected());

    Frame frame{};
    frame[1] = kRequestMarker;
    frame[2] = 0x01;
    EXPECT_TRUE(manager.SendCommand(frame, config.KeyboardIndex()));  // real pauses, ~12 ms
    EXPECT_TRUE(demo->keyboard->InSequence());

    demo->keyboard->Unplug();
    EXPECT_FALSE(config.IsConnected());
    EXPECT_EQ(events.size(), 3U);
    demo->monitor->Stop();
    manager.CloseAll();
}

}  // namespace
}  // namespace keyloom::sim
