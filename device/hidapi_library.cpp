#include "device/hidapi_library.h"

#include <hidapi.h>

#include <algorithm>
#include <array>

#include "platform/hotplug_monitor.h"
#include "text/utf_convert.h"

namespace keyloom {
namespace {

// Report id byte and one 64-byte report.
constexpr std::size_t kPaddedWriteBytes = 65;

class HidapiDevice final : public HidDevice {
public:
    explicit HidapiDevice(hid_device* device) : device_(device) {}
    ~HidapiDevice() override { hid_close(device_); }
    HidapiDevice(const HidapiDevice&) = delete;
    HidapiDevice& operator=(const HidapiDevice&) = delete;

    int Write(const std::uint8_t* data, std::size_t length) override {
#ifndef _WIN32
        // Windows pads a short write to the interface's output report; hidraw sends it as
        // it is. The only reports the program writes go to the configuration interface
        // (64-byte reports), so short writes are padded to that size here, and the keyboard
        // receives the same bytes on both systems.
        if (length > 0 && length < kPaddedWriteBytes) {
            std::array<unsigned char, kPaddedWriteBytes> padded{};
            std::copy_n(data, length, padded.begin());
            const int written = hid_write(device_, padded.data(), padded.size());
            return written <= 0 ? written : static_cast<int>(length);
        }
#endif
        return hid_write(device_, data, length);
    }

    int ReadTimeout(std::uint8_t* data, std::size_t length, int timeout_ms) override {
        return hid_read_timeout(device_, data, length, timeout_ms);
    }

    bool GetManufacturerString(std::wstring& text) override {
        return ReadString(&hid_get_manufacturer_string, text);
    }

    bool GetProductString(std::wstring& text) override {
        return ReadString(&hid_get_product_string, text);
    }

private:
    using StringGetter = int (*)(hid_device*, wchar_t*, size_t);

    bool ReadString(StringGetter getter, std::wstring& text) {
        std::array<wchar_t, 512> buffer{};
        text.clear();
        if (getter(device_, buffer.data(), buffer.size()) != 0) {
            return false;
        }
        buffer.back() = L'\0';
        text = buffer.data();
        return true;
    }

    hid_device* device_;
};

class HidapiLibrary final : public HidLibrary {
public:
    HidapiLibrary() { hid_init(); }
    ~HidapiLibrary() override { hid_exit(); }
    HidapiLibrary(const HidapiLibrary&) = delete;
    HidapiLibrary& operator=(const HidapiLibrary&) = delete;

    std::vector<HidDeviceInfo> Enumerate(std::uint16_t vendor_id,
                                         std::uint16_t product_id) override {
        std::vector<HidDeviceInfo> result;
        hid_device_info* list = hid_enumerate(vendor_id, product_id);
        for (const hid_device_info* item = list; item != nullptr; item = item->next) {
            HidDeviceInfo info;
            info.path = item->path != nullptr ? item->path : "";
            info.vendor_id = item->vendor_id;
            info.product_id = item->product_id;
            info.release_number = item->release_number;
            info.product = item->product_string != nullptr ? item->product_string : L"";
            info.usage_page = item->usage_page;
            info.usage = item->usage;
            info.interface_number = item->interface_number;
#ifdef _WIN32
            info.interface_identity = Utf8ToWide(info.path);
#else
            info.interface_identity =
                MakeInterfaceIdentity(item->vendor_id, item->product_id, item->interface_number);
#endif
            result.push_back(std::move(info));
        }
        hid_free_enumeration(list);
        return result;
    }

    std::unique_ptr<HidDevice> OpenPath(const std::string& path) override {
        hid_device* device = hid_open_path(path.c_str());
        if (device == nullptr) {
            return nullptr;
        }
        return std::make_unique<HidapiDevice>(device);
    }
};

}  // namespace

std::unique_ptr<HidLibrary> CreateHidapiLibrary() {
    return std::make_unique<HidapiLibrary>();
}

}  // namespace keyloom
