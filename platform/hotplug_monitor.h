#pragma once

// Device arrival and removal notifications. Each event names the interface by its identity
// in the Windows interface-path form, "vid_xxxx&pid_xxxx&mi_NN" (lower-case hex), the same
// text the HID backends supply at enumeration, so one matching rule serves every platform.
// Linux backend: a libudev monitor on hidraw (the udev monitor where udevd runs, so rules
// have been applied when the event arrives; the kernel monitor where it does not).

#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace keyloom {

enum class HotplugEvent { kArrival, kRemoval };

// Called on the monitor's own thread: the receiver posts it on to the UI thread.
using HotplugCallback = std::function<void(HotplugEvent event, const std::wstring& identity)>;

class HotplugMonitor {
public:
    virtual ~HotplugMonitor() = default;
    // False when no monitor could be set up (the program then sees devices only on rescans).
    virtual bool Start(HotplugCallback callback) = 0;
    // Returns once the callback will not be called again.
    virtual void Stop() = 0;
};

std::unique_ptr<HotplugMonitor> CreateHotplugMonitor();

// "vid_xxxx&pid_xxxx&mi_NN"; without "&mi_NN" when interface_number is negative.
std::wstring MakeInterfaceIdentity(std::uint16_t vendor_id, std::uint16_t product_id,
                                   int interface_number);

// The identity of a hidraw node from its device path in sysfs, for example
// "/devices/.../1-4/1-4:1.2/0003:3412:7A21.0007/hidraw/hidraw3" -> "vid_3412&pid_7a21&mi_02".
// Works for removals too, when the parent devices can no longer be asked. Nothing when the
// path names no HID device.
std::optional<std::wstring> InterfaceIdentityFromDevpath(std::string_view devpath);

}  // namespace keyloom
