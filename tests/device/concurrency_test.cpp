// The worker's exchanges, the action listener and hot-plug removals on the UI thread, all
// at once (run under ThreadSanitizer in CI): no handle is used after it was closed, nothing
// hangs, and the link comes back after every replug.

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "device/action_listener.h"
#include "device/device_config.h"
#include "sim/sim_hid_library.h"
#include "sim/sim_hotplug_monitor.h"
#include "tests/device/post_sink.h"
#include "tests/device/sim_fixture.h"

namespace keyloom::testing {
namespace {

TEST(DeviceConcurrencyTest, ExchangesListenerAndRemovalsTogether) {
    auto keyboard = std::make_shared<sim::VirtualKeyboard>();
    keyboard->SetAnswerLatency(std::chrono::milliseconds(1));
    sim::SimHidLibrary library(keyboard);
    CDeviceManager manager(library);
    PostSink sink;
    ActionListener listener(library, sink.Callback(), kActionMessage, SystemClock::Instance(), 20);
    std::atomic<int> arrival_jobs{0};
    DeviceConfig config(
        manager, DeviceConfig::Hooks{[&] { ++arrival_jobs; }, [&] { listener.Restart(); }, [] {}});
    config.LoadDeviceConfig(IniFile::Parse("[TEXT]\nVID=3412\nPID=7A21\n"));
    ASSERT_TRUE(config.IsConnected());
    listener.Start();

    sim::SimHotplugMonitor monitor(keyboard);
    monitor.Start([&](HotplugEvent event, const std::wstring& identity) {
        config.OnDeviceChange(event, identity);
    });

    std::atomic<bool> stop{false};
    std::atomic<int> acknowledged{0};
    std::atomic<int> failed{0};
    std::thread worker([&] {
        int handled_arrivals = 0;
        while (!stop) {
            if (arrival_jobs > handled_arrivals) {  // the arrival job rescans on the worker
                ++handled_arrivals;
                config.RescanDevice();
            }
            Frame frame = RequestFrame(0x07, 56, 112);
            const bool ok = (acknowledged + failed) % 2 == 0
                                ? manager.SendCommand(frame, config.KeyboardIndex())
                                : manager.ReadCommand(frame, config.KeyboardIndex());
            ++(ok ? acknowledged : failed);
            if (!ok) {
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
        }
    });
    std::thread presser([&] {
        for (int i = 0; !stop; ++i) {
            keyboard->PressActionKey(0x50, static_cast<std::uint8_t>(i));
            std::this_thread::sleep_for(std::chrono::milliseconds(7));
        }
    });

    for (int round = 0; round < 12; ++round) {
        std::this_thread::sleep_for(std::chrono::milliseconds(40));
        keyboard->Unplug();  // removal notifications arrive on this thread, like the UI's
        EXPECT_FALSE(config.IsConnected());
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
        keyboard->Replug();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    stop = true;
    worker.join();
    presser.join();
    monitor.Stop();

    EXPECT_GT(acknowledged.load(), 0);
    EXPECT_GT(sink.Posts().size(), 0U);
    config.RescanDevice();
    ASSERT_TRUE(config.IsConnected());
    EXPECT_EQ(manager.EntryCount(), 1);
    Frame frame = RequestFrame(0x01);
    EXPECT_TRUE(manager.SendCommand(frame, config.KeyboardIndex()));
    listener.Stop();
}

}  // namespace
}  // namespace keyloom::testing
