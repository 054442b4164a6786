#pragma once

// The one seam between the program and the keyboard's HID interfaces. The production backend
// wraps hidapi (device/hidapi_library.h); the virtual keyboard (sim/) implements it for tests
// and demo mode. Nothing outside the hidapi backend includes hidapi.h.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace keyloom {

// One HID interface (one top-level collection) as enumeration reports it.
struct HidDeviceInfo {
    std::string
        path;  // what OpenPath takes: "/dev/hidrawN" on Linux, the interface path on Windows
    std::uint16_t vendor_id = 0;
    std::uint16_t product_id = 0;
    std::uint16_t release_number = 0;  // bcdDevice
    std::wstring product;              // product string; empty when unknown
    std::uint16_t usage_page = 0;
    std::uint16_t usage = 0;
    int interface_number = -1;  // USB interface number, -1 when not a USB interface
    // "vid_xxxx&pid_xxxx&mi_NN" (lower-case hex, the Windows interface-path form): the text
    // the configured interface pattern is matched against, on every platform. On Windows it
    // is the interface path itself.
    std::wstring interface_identity;
};

// An open interface. Destroying it closes it. One thread at a time may use a handle.
class HidDevice {
public:
    virtual ~HidDevice() = default;

    // `data` starts with the report id (0 for interfaces without report ids); a buffer shorter
    // than the interface's output report is padded with zeros. Bytes written, or -1.
    virtual int Write(const std::uint8_t* data, std::size_t length) = 0;
    // Reads one input report (report id removed when the interface has none) into `data`,
    // at most `length` bytes. Bytes read, 0 when nothing arrived within `timeout_ms`
    // milliseconds, -1 on error (for example the device was unplugged).
    virtual int ReadTimeout(std::uint8_t* data, std::size_t length, int timeout_ms) = 0;
    // False when the string cannot be read; `text` is then left empty.
    virtual bool GetManufacturerString(std::wstring& text) = 0;
    virtual bool GetProductString(std::wstring& text) = 0;
};

class HidLibrary {
public:
    virtual ~HidLibrary() = default;

    // All interfaces with this vendor and product id; 0 matches any.
    virtual std::vector<HidDeviceInfo> Enumerate(std::uint16_t vendor_id,
                                                 std::uint16_t product_id) = 0;
    // Null when the interface cannot be opened (gone, no permission, held exclusively).
    virtual std::unique_ptr<HidDevice> OpenPath(const std::string& path) = 0;
};

}  // namespace keyloom
