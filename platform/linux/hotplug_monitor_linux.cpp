#include <libudev.h>
#include <poll.h>
#include <sys/eventfd.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <thread>
#include <vector>

#include "platform/hotplug_monitor.h"

namespace keyloom {
namespace {

bool ParseHex(std::string_view text, unsigned& value) {
    if (text.empty() || text.size() > 8) {
        return false;
    }
    value = 0;
    for (char c : text) {
        unsigned digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<unsigned>(c - '0');
        } else if (c >= 'a' && c <= 'f') {
            digit = static_cast<unsigned>(c - 'a' + 10);
        } else if (c >= 'A' && c <= 'F') {
            digit = static_cast<unsigned>(c - 'A' + 10);
        } else {
            return false;
        }
        value = value * 16 + digit;
    }
    return true;
}

bool ParseDecimal(std::string_view text, int& value) {
    if (text.empty() || text.size() > 3) {
        return false;
    }
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') {
            return false;
        }
        value = value * 10 + (c - '0');
    }
    return true;
}

// "0003:3412:7A21.0007": bus, vendor, product, instance of a HID device.
bool ParseHidDeviceName(std::string_view name, unsigned& vendor, unsigned& product) {
    const auto first = name.find(':');
    const auto second = name.find(':', first == std::string_view::npos ? 0 : first + 1);
    const auto dot = name.find('.', second == std::string_view::npos ? 0 : second + 1);
    if (first == std::string_view::npos || second == std::string_view::npos ||
        dot == std::string_view::npos) {
        return false;
    }
    unsigned bus = 0;
    unsigned instance = 0;
    return ParseHex(name.substr(0, first), bus) &&
           ParseHex(name.substr(first + 1, second - first - 1), vendor) &&
           ParseHex(name.substr(second + 1, dot - second - 1), product) &&
           ParseHex(name.substr(dot + 1), instance) && vendor <= 0xFFFF && product <= 0xFFFF;
}

// "1-4:1.2": USB port "1-4", configuration 1, interface 2.
bool ParseUsbInterfaceName(std::string_view name, int& interface_number) {
    const auto colon = name.find(':');
    const auto dot = name.rfind('.');
    if (colon == std::string_view::npos || dot == std::string_view::npos || dot < colon) {
        return false;
    }
    int configuration = 0;
    return ParseDecimal(name.substr(colon + 1, dot - colon - 1), configuration) &&
           ParseDecimal(name.substr(dot + 1), interface_number);
}

std::vector<std::string_view> SplitPath(std::string_view path) {
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        const auto end = path.find('/', start);
        const auto stop = end == std::string_view::npos ? path.size() : end;
        if (stop > start) {
            parts.push_back(path.substr(start, stop - start));
        }
        if (end == std::string_view::npos) {
            break;
        }
        start = end + 1;
    }
    return parts;
}

// udevd's control socket exists only while it runs; without it rules are not applied and
// the udev monitor would hear nothing, so the kernel's own events are used.
const char* MonitorSource() {
    std::error_code error;
    return std::filesystem::exists("/run/udev/control", error) ? "udev" : "kernel";
}

class UdevHotplugMonitor final : public HotplugMonitor {
public:
    ~UdevHotplugMonitor() override { Stop(); }

    bool Start(HotplugCallback callback) override {
        Stop();
        udev_ = udev_new();
        if (udev_ == nullptr) {
            return false;
        }
        monitor_ = udev_monitor_new_from_netlink(udev_, MonitorSource());
        wake_fd_ = eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK);
        if (monitor_ == nullptr || wake_fd_ < 0 ||
            udev_monitor_filter_add_match_subsystem_devtype(monitor_, "hidraw", nullptr) < 0 ||
            udev_monitor_enable_receiving(monitor_) < 0) {
            Release();
            return false;
        }
        callback_ = std::move(callback);
        thread_ = std::thread([this] { Loop(); });
        return true;
    }

    void Stop() override {
        if (thread_.joinable()) {
            const std::uint64_t one = 1;
            (void)!write(wake_fd_, &one, sizeof one);
            thread_.join();
        }
        Release();
    }

private:
    void Release() {
        if (monitor_ != nullptr) {
            udev_monitor_unref(monitor_);
            monitor_ = nullptr;
        }
        if (udev_ != nullptr) {
            udev_unref(udev_);
            udev_ = nullptr;
        }
        if (wake_fd_ >= 0) {
            close(wake_fd_);
            wake_fd_ = -1;
        }
        callback_ = nullptr;
    }

    void Loop() {
        pollfd fds[2] = {{udev_monitor_get_fd(monitor_), POLLIN, 0}, {wake_fd_, POLLIN, 0}};
        for (;;) {
            const int ready = poll(fds, 2, -1);
            if (ready < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return;
            }
            if ((fds[1].revents & POLLIN) != 0) {
                return;
            }
            if ((fds[0].revents & POLLIN) != 0) {
                Receive();
            }
        }
    }

    void Receive() {
        udev_device* device = udev_monitor_receive_device(monitor_);
        if (device == nullptr) {
            return;
        }
        const char* action = udev_device_get_action(device);
        const char* devpath = udev_device_get_devpath(device);
        if (action != nullptr && devpath != nullptr) {
            const std::string_view what(action);
            const auto identity = InterfaceIdentityFromDevpath(devpath);
            if (identity && (what == "add" || what == "remove")) {
                callback_(what == "add" ? HotplugEvent::kArrival : HotplugEvent::kRemoval,
                          *identity);
            }
        }
        udev_device_unref(device);
    }

    udev* udev_ = nullptr;
    udev_monitor* monitor_ = nullptr;
    int wake_fd_ = -1;
    HotplugCallback callback_;
    std::thread thread_;
};

}  // namespace

std::unique_ptr<HotplugMonitor> CreateHotplugMonitor() {
    return std::make_unique<UdevHotplugMonitor>();
}

std::wstring MakeInterfaceIdentity(std::uint16_t vendor_id, std::uint16_t product_id,
                                   int interface_number) {
    wchar_t text[32] = {};
    if (interface_number >= 0) {
        std::swprintf(text, 32, L"vid_%04x&pid_%04x&mi_%02x", static_cast<unsigned>(vendor_id),
                      static_cast<unsigned>(product_id), static_cast<unsigned>(interface_number));
    } else {
        std::swprintf(text, 32, L"vid_%04x&pid_%04x", static_cast<unsigned>(vendor_id),
                      static_cast<unsigned>(product_id));
    }
    return text;
}

std::optional<std::wstring> InterfaceIdentityFromDevpath(std::string_view devpath) {
    const std::vector<std::string_view> parts = SplitPath(devpath);
    // The HID device is the nearest ancestor named bus:vendor:product.instance; the USB
    // interface, when there is one, is its parent.
    for (std::size_t i = parts.size(); i-- > 0;) {
        unsigned vendor = 0;
        unsigned product = 0;
        if (!ParseHidDeviceName(parts[i], vendor, product)) {
            continue;
        }
        int interface_number = -1;
        if (i > 0 && !ParseUsbInterfaceName(parts[i - 1], interface_number)) {
            interface_number = -1;
        }
        return MakeInterfaceIdentity(static_cast<std::uint16_t>(vendor),
                                     static_cast<std::uint16_t>(product), interface_number);
    }
    return std::nullopt;
}

}  // namespace keyloom
