// The virtual keyboard as a HID device: interfaces, timing of answers, plugging, action
// reports, fault knobs and the bounded record that lets it run for hours.

#include "sim/virtual_keyboard.h"

#include <gtest/gtest.h>

#include "sim/sim_hid_library.h"
#include "sim/sim_hotplug_monitor.h"

namespace keyloom::sim {
namespace {

std::vector<std::uint8_t> WriteBuffer(std::uint8_t command, std::uint8_t length = 0,
                                      std::uint16_t offset = 0) {
    std::vector<std::uint8_t> buffer(kFrameSize, 0);
    buffer[1 + kMarkerByte] = kRequestMarker;
    buffer[1 + kCommandByte] = command;
    buffer[1 + kLengthByte] = length;
    buffer[1 + kOffsetLowByte] = static_cast<std::uint8_t>(offset & 0xFFU);
    buffer[1 + kOffsetHighByte] = static_cast<std::uint8_t>(offset >> 8U);
    buffer[1 + kChecksumByte] = ReportChecksum(buffer.data() + 1);
    return buffer;
}

class VirtualKeyboardTest : public ::testing::Test {
protected:
    std::unique_ptr<HidDevice> OpenInterface(int interface_number) {
        for (const HidDeviceInfo& info : keyboard.Interfaces()) {
            if (info.interface_number == interface_number) {
                return keyboard.Open(info.path);
            }
        }
        return nullptr;
    }

    ManualClock clock;
    VirtualKeyboard keyboard{KeyboardOptions{}, clock};
};

TEST_F(VirtualKeyboardTest, PresentsThreeInterfacesOfTheConfiguredDevice) {
    const auto interfaces = keyboard.Interfaces();
    ASSERT_EQ(interfaces.size(), 3U);
    const std::pair<std::uint16_t, std::uint16_t> usages[] = {
        {0x0001, 0x0006}, {0xFF00, 0x0000}, {0xFF01, 0x0001}};
    for (int mi = 0; mi < 3; ++mi) {
        const HidDeviceInfo& info = interfaces[static_cast<std::size_t>(mi)];
        EXPECT_EQ(info.interface_number, mi);
        EXPECT_EQ(info.vendor_id, 0x3412);
        EXPECT_EQ(info.product_id, 0x7A21);
        EXPECT_EQ(info.release_number, 0x0105);
        EXPECT_EQ(info.usage_page, usages[mi].first);
        EXPECT_EQ(info.usage, usages[mi].second);
        EXPECT_EQ(info.interface_identity, L"vid_3412&pid_7a21&mi_0" + std::to_wstring(mi));
    }
}

TEST_F(VirtualKeyboardTest, AnswerBecomesReadableAfterTheLatency) {
    keyboard.SetAnswerLatency(std::chrono::milliseconds(15));
    auto config = OpenInterface(kConfigInterface);
    ASSERT_TRUE(config);
    const auto request = WriteBuffer(0x01);
    ASSERT_EQ(config->Write(request.data(), request.size()), 65);
    Report answer{};
    EXPECT_EQ(config->ReadTimeout(answer.data(), answer.size(), 10), 0);  // not yet
    EXPECT_EQ(clock.Elapsed(), std::chrono::milliseconds(10));
    EXPECT_EQ(config->ReadTimeout(answer.data(), answer.size(), 10), 64);
    EXPECT_EQ(clock.Elapsed(), std::chrono::milliseconds(15));  // waited only until ready
    EXPECT_EQ(answer[kMarkerByte], kAckMarker);
    EXPECT_EQ(answer[kCommandByte], 0x01);
    EXPECT_TRUE(keyboard.InSequence());
}

TEST_F(VirtualKeyboardTest, UnplugKillsHandlesAndReplugGivesNewPaths) {
    std::vector<std::pair<bool, std::wstring>> events;
    keyboard.SetPlugObserver([&](bool arrived, const std::wstring& identity) {
        events.emplace_back(arrived, identity);
    });
    auto config = OpenInterface(kConfigInterface);
    const std::string old_path = keyboard.Interfaces()[2].path;

    keyboard.Unplug();
    EXPECT_TRUE(keyboard.Interfaces().empty());
    const auto request = WriteBuffer(0x01);
    Report answer{};
    EXPECT_EQ(config->Write(request.data(), request.size()), -1);
    EXPECT_EQ(config->ReadTimeout(answer.data(), answer.size(), 100), -1);
    EXPECT_EQ(clock.Elapsed(), Clock::Duration::zero());  // a dead handle does not wait
    std::wstring text = L"x";
    EXPECT_FALSE(config->GetProductString(text));
    EXPECT_TRUE(text.empty());

    keyboard.Replug();
    EXPECT_NE(keyboard.Interfaces()[2].path, old_path);
    EXPECT_EQ(keyboard.Open(old_path), nullptr);
    EXPECT_EQ(config->Write(request.data(), request.size()), -1);  // old handle stays dead
    ASSERT_EQ(events.size(), 6U);
    EXPECT_EQ(events[2], std::make_pair(false, std::wstring(L"vid_3412&pid_7a21&mi_02")));
    EXPECT_EQ(events[5], std::make_pair(true, std::wstring(L"vid_3412&pid_7a21&mi_02")));
}

TEST_F(VirtualKeyboardTest, TablesSurviveAReplug) {
    auto config = OpenInterface(kConfigInterface);
    auto write = WriteBuffer(0x0B, 3, 0);
    write[1 + kDataByte] = 0x12;
    write[1 + kChecksumByte] = ReportChecksum(write.data() + 1);
    ASSERT_EQ(config->Write(write.data(), write.size()), 65);
    keyboard.Unplug();
    keyboard.Replug();
    EXPECT_EQ(keyboard.Tables().colour_map[0], 0x12);
}

TEST_F(VirtualKeyboardTest, ActionReportsArriveOnTheVendorInputInterface) {
    auto actions = OpenInterface(kActionInterface);
    auto config = OpenInterface(kConfigInterface);
    keyboard.PressActionKey(0x60, 42);
    std::array<std::uint8_t, 32> report{};
    Report config_report{};
    EXPECT_EQ(config->ReadTimeout(config_report.data(), config_report.size(), 5), 0);
    ASSERT_EQ(actions->ReadTimeout(report.data(), report.size(), 1000), 3);
    EXPECT_EQ(report[0], 0x02);
    EXPECT_EQ(report[1], 0x60);
    EXPECT_EQ(report[2], 42);
    EXPECT_EQ(actions->ReadTimeout(report.data(), report.size(), 1), 0);
}

TEST_F(VirtualKeyboardTest, FaultKnobsCountDown) {
    auto config = OpenInterface(kConfigInterface);
    const auto request = WriteBuffer(0x01);
    Report answer{};
    keyboard.FailWrites(1);
    EXPECT_EQ(config->Write(request.data(), request.size()), -1);
    EXPECT_EQ(config->Write(request.data(), request.size()), 65);
    keyboard.DropAcknowledgements(1);
    EXPECT_EQ(config->ReadTimeout(answer.data(), answer.size(), 100), 64);  // second write's
    EXPECT_EQ(config->Write(request.data(), request.size()), 65);
    EXPECT_EQ(config->ReadTimeout(answer.data(), answer.size(), 100), 0);  // dropped
    keyboard.SetOpenFails(true);
    EXPECT_EQ(OpenInterface(kConfigInterface), nullptr);

    const TrafficCounters traffic = keyboard.Traffic();
    EXPECT_EQ(traffic.config_writes, 3U);
    EXPECT_EQ(traffic.failed_writes, 1U);
    EXPECT_EQ(traffic.dropped_acks, 1U);
    EXPECT_EQ(traffic.config_reads, 2U);
}

TEST(VirtualKeyboardLongRunTest, MemoryStaysBoundedOverAnHourOfFrames) {
    ManualClock clock;
    KeyboardOptions options;
    options.record_capacity = 256;
    VirtualKeyboard keyboard(options, clock);
    keyboard.SetAnswerLatency(std::chrono::milliseconds(1));
    std::unique_ptr<HidDevice> config;
    for (const auto& info : keyboard.Interfaces()) {
        if (info.interface_number == kConfigInterface) {
            config = keyboard.Open(info.path);
        }
    }
    ASSERT_TRUE(config);
    // One music frame (9 reports) every ~120 ms of virtual time for an hour; every fourth
    // frame's answers are never read, as when the host gives up on a frame.
    Report answer{};
    int frame = 0;
    while (clock.Elapsed() < std::chrono::hours(1)) {
        for (std::uint8_t command : {0x01, 0xDD, 0xDD, 0xDD, 0xDD, 0xDD, 0xDD, 0xDD, 0x02}) {
            const auto request = WriteBuffer(command, command == 0xDD ? 56 : 0);
            ASSERT_EQ(config->Write(request.data(), request.size()), 65);
            if (frame % 4 != 0) {
                config->ReadTimeout(answer.data(), answer.size(), 10);
            }
        }
        clock.Advance(std::chrono::milliseconds(110));
        ++frame;
    }
    EXPECT_EQ(keyboard.Record().size(), 256U);
    EXPECT_GT(keyboard.FirmwareCounts().frames_shown, 25000U);
    // Unread answers pile up no further than a real input buffer would.
    int pending = 0;
    while (config->ReadTimeout(answer.data(), answer.size(), 0) > 0) {
        ++pending;
    }
    EXPECT_LE(pending, 64);
    keyboard.ClearRecord();
    EXPECT_TRUE(keyboard.Record().empty());
}

TEST(SimHotplugMonitorTest, ForwardsPlugEventsOnlyWhileStarted) {
    auto keyboard = std::make_shared<VirtualKeyboard>();
    SimHotplugMonitor monitor(keyboard);
    std::vector<HotplugEvent> events;
    ASSERT_TRUE(
        monitor.Start([&](HotplugEvent event, const std::wstring&) { events.push_back(event); }));
    keyboard->Unplug();
    keyboard->Replug();
    EXPECT_TRUE(monitor.Emit(HotplugEvent::kRemoval, L"vid_046d&pid_c52b&mi_00"));
    monitor.Stop();
    keyboard->Unplug();
    EXPECT_FALSE(monitor.Emit(HotplugEvent::kArrival, L"vid_046d&pid_c52b&mi_00"));
    EXPECT_EQ(events, (std::vector<HotplugEvent>{HotplugEvent::kRemoval, HotplugEvent::kRemoval,
                                                 HotplugEvent::kRemoval, HotplugEvent::kArrival,
                                                 HotplugEvent::kArrival, HotplugEvent::kArrival,
                                                 HotplugEvent::kRemoval}));
}

}  // namespace
}  // namespace keyloom::sim
