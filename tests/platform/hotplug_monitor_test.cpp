#include "platform/hotplug_monitor.h"

#include <gtest/gtest.h>
#include <linux/netlink.h>
#include <sys/socket.h>
#include <unistd.h>

namespace keyloom {
namespace {

TEST(InterfaceIdentityTest, BuiltFromIdsInTheWindowsForm) {
    EXPECT_EQ(MakeInterfaceIdentity(0x3412, 0x7A21, 2), L"vid_3412&pid_7a21&mi_02");
    EXPECT_EQ(MakeInterfaceIdentity(0x046D, 0xC52B, 10), L"vid_046d&pid_c52b&mi_0a");
    EXPECT_EQ(MakeInterfaceIdentity(0x0001, 0x0002, -1), L"vid_0001&pid_0002");
}

TEST(InterfaceIdentityTest, ReadFromTheHidrawDevicePath) {
    struct Case {
        const char* devpath;
        const wchar_t* identity;  // null: not a HID device
    };
    const Case cases[] = {
        {"/devices/pci0000:00/0000:00:14.0/usb1/1-4/1-4:1.2/0003:3412:7A21.0007/hidraw/hidraw3",
         L"vid_3412&pid_7a21&mi_02"},
        {"/devices/pci0000:00/0000:00:14.0/usb3/3-1/3-1.4/3-1.4:1.0/0003:046D:C52B.0001/hidraw/"
         "hidraw0",
         L"vid_046d&pid_c52b&mi_00"},
        {"/devices/pci0000:00/usb1/1-2/1-2:1.10/0003:1234:ABCD.000F/hidraw/hidraw9",
         L"vid_1234&pid_abcd&mi_0a"},
        // Bluetooth and virtual HID devices have no USB interface.
        {"/devices/virtual/misc/uhid/0005:046D:B01A.0003/hidraw/hidraw1", L"vid_046d&pid_b01a"},
        {"/devices/virtual/input/input5/event3", nullptr},
        {"/devices/pci0000:00/usb1/1-4/1-4:1.2/0003:ZZZZ:7A21.0007/hidraw/hidraw3", nullptr},
        {"/devices/pci0000:00/usb1/1-4/1-4:1.2/0003:3412:7A21/hidraw/hidraw3", nullptr},
        {"", nullptr},
    };
    for (const Case& c : cases) {
        const auto identity = InterfaceIdentityFromDevpath(c.devpath);
        if (c.identity == nullptr) {
            EXPECT_FALSE(identity.has_value()) << c.devpath;
        } else {
            ASSERT_TRUE(identity.has_value()) << c.devpath;
            EXPECT_EQ(*identity, c.identity) << c.devpath;
        }
    }
}

// Whether this machine lets a process listen to the kernel's device events at all: some
// sandboxes forbid netlink sockets, and then no monitor can come up.
bool KernelDeviceEventsReachable() {
    const int fd = socket(AF_NETLINK, SOCK_RAW | SOCK_CLOEXEC, NETLINK_KOBJECT_UEVENT);
    if (fd < 0) {
        return false;
    }
    sockaddr_nl address{};
    address.nl_family = AF_NETLINK;
    address.nl_groups = 1;
    const bool bound = bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return bound;
}

TEST(HotplugMonitorTest, StartsAndStopsRepeatedly) {
    // In a container without udevd the kernel monitor is used; either way the monitor must
    // come up, and Stop must return promptly and leave no callback behind.
    if (!KernelDeviceEventsReachable()) {
        GTEST_SKIP() << "device events cannot be received in this sandbox";
    }
    auto monitor = CreateHotplugMonitor();
    for (int round = 0; round < 3; ++round) {
        EXPECT_TRUE(monitor->Start([](HotplugEvent, const std::wstring&) {}));
        monitor->Stop();
    }
    monitor->Stop();  // stopping a stopped monitor is harmless
}

}  // namespace
}  // namespace keyloom
