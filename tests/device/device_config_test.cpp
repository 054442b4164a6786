// The controller's device state: configuration, rescans and hot-plug notifications.

#include "device/device_config.h"

#include <gtest/gtest.h>

#include <climits>

#include "tests/device/sim_fixture.h"

namespace keyloom::testing {
namespace {

TEST(ParseHexIdTest, ReadsConfiguredIdTexts) {
    const std::pair<const wchar_t*, int> cases[] = {
        {L"7A21", 0x7A21},
        {L"7a21", 0x7A21},
        {L"  0x3412", 0x3412},
        {L"0X10", 0x10},
        {L"12G4", 0x12},
        {L"", 0},
        {L"zz", 0},
        {L"0x", 0},
        {L"0", 0},
        {L"FFFFFFFFFF", INT_MAX},
    };
    for (const auto& [text, value] : cases) {
        EXPECT_EQ(ParseHexId(text), value) << std::wstring(text).size();
    }
}

class DeviceConfigTest : public ::testing::Test {
protected:
    DeviceConfigTest()
        : keyboard(std::make_shared<sim::VirtualKeyboard>(sim::KeyboardOptions{}, clock)),
          library(keyboard),
          manager(library, clock),
          config(manager,
                 DeviceConfig::Hooks{[this] { ++arrival_tasks; }, [this] { ++listener_restarts; },
                                     [this] { ++keyboards_lost; }}) {}

    void Load(const char* ini = "[TEXT]\nVID=3412\nPID=7A21\n") {
        config.LoadDeviceConfig(IniFile::Parse(ini));
    }

    ManualClock clock;
    std::shared_ptr<sim::VirtualKeyboard> keyboard;
    sim::SimHidLibrary library;
    CDeviceManager manager;
    int arrival_tasks = 0;
    int listener_restarts = 0;
    int keyboards_lost = 0;
    DeviceConfig config;
};

TEST_F(DeviceConfigTest, LoadBuildsTheModelAndConnects) {
    Load();
    const auto models = config.Models();
    ASSERT_EQ(models.size(), 1U);
    EXPECT_EQ(models[0].vendor_id, 0x3412);
    EXPECT_EQ(models[0].product_id, 0x7A21);
    EXPECT_EQ(models[0].pattern, L"VID_3412&PID_7A21&MI_02");
    EXPECT_EQ(manager.PatternFor(0x3412, 0x7A21), L"vid_3412&pid_7a21&mi_02");
    EXPECT_TRUE(config.IsConnected());
    EXPECT_EQ(config.KeyboardIndex(), 0);
    EXPECT_EQ(keyboards_lost, 0);
}

TEST_F(DeviceConfigTest, MissingIdentityRunsDisconnected) {
    Load("[TEXT]\nKB_IMAGE_X=80\n");
    ASSERT_EQ(config.Models().size(), 1U);
    EXPECT_EQ(config.Models()[0].vendor_id, 0);
    EXPECT_EQ(config.Models()[0].pattern, L"VID_&PID_&MI_02");
    EXPECT_FALSE(config.IsConnected());
    EXPECT_EQ(config.KeyboardIndex(), -1);
    EXPECT_TRUE(manager.IsEnabled());
}

TEST_F(DeviceConfigTest, ArrivalOfTheKeyboardPostsTheJobAndRestartsTheListener) {
    Load();
    config.OnDeviceChange(HotplugEvent::kArrival, L"vid_3412&pid_7a21&mi_02");
    EXPECT_EQ(arrival_tasks, 1);
    EXPECT_EQ(listener_restarts, 1);
    // Other interfaces of the keyboard and other devices do not match the MI_02 pattern.
    config.OnDeviceChange(HotplugEvent::kArrival, L"vid_3412&pid_7a21&mi_00");
    config.OnDeviceChange(HotplugEvent::kArrival, L"vid_046d&pid_c52b&mi_02");
    EXPECT_EQ(arrival_tasks, 1);
    EXPECT_EQ(listener_restarts, 1);
}

TEST_F(DeviceConfigTest, LowerCaseConfiguredIdsStillConnectButMissArrivals) {
    Load("[TEXT]\nVID=3412\nPID=7a21\n");
    EXPECT_TRUE(config.IsConnected());
    config.OnDeviceChange(HotplugEvent::kArrival, L"vid_3412&pid_7a21&mi_02");
    EXPECT_EQ(arrival_tasks, 0);
}

TEST_F(DeviceConfigTest, RemovalOfTheKeyboardDisconnectsOnce) {
    Load();
    keyboard->Unplug();
    config.OnDeviceChange(HotplugEvent::kRemoval, L"vid_3412&pid_7a21&mi_02");
    EXPECT_FALSE(config.IsConnected());
    EXPECT_EQ(config.KeyboardIndex(), -1);
    EXPECT_EQ(keyboards_lost, 1);
    EXPECT_EQ(listener_restarts, 1);
    // The keyboard's other interfaces go too; nothing happens while disconnected.
    config.OnDeviceChange(HotplugEvent::kRemoval, L"vid_3412&pid_7a21&mi_00");
    EXPECT_EQ(keyboards_lost, 1);
    EXPECT_EQ(listener_restarts, 1);
}

TEST_F(DeviceConfigTest, RemovalOfAnotherDeviceIsIgnored) {
    Load();
    config.OnDeviceChange(HotplugEvent::kRemoval, L"vid_046d&pid_c52b&mi_00");
    EXPECT_TRUE(config.IsConnected());
    EXPECT_EQ(listener_restarts, 0);
    EXPECT_EQ(keyboard->Traffic().config_writes, 0U);
}

TEST_F(DeviceConfigTest, RemovalNotificationWhileTheKeyboardStaysRescansAndKeepsIt) {
    Load();
    config.OnDeviceChange(HotplugEvent::kRemoval, L"VID_3412&PID_7A21&MI_00");
    EXPECT_TRUE(config.IsConnected());
    EXPECT_EQ(keyboards_lost, 0);
    EXPECT_EQ(listener_restarts, 1);
}

TEST_F(DeviceConfigTest, ReplugReconnectsOnTheNextRescan) {
    Load();
    keyboard->Unplug();
    config.RescanDevice();
    EXPECT_FALSE(config.IsConnected());
    keyboard->Replug();
    config.RescanDevice();
    EXPECT_TRUE(config.IsConnected());
    EXPECT_EQ(manager.EntryCount(), 1);
    EXPECT_EQ(manager.GetEntryInfo(0)->path, "sim:kb0/2/mi_02");
}

}  // namespace
}  // namespace keyloom::testing
