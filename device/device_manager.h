#pragma once

// The process's open keyboard interfaces and the three report exchanges with them.
//
// Locking: one mutex is held by every exchange, by Scan, by CloseAll and by Rescan, so a
// removal handled on the UI thread never closes a handle the worker is using; it waits for
// the exchange in progress to end instead.

#include <cstdint>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "device/clock.h"
#include "device/hid_library.h"
#include "device/report_frame.h"

namespace keyloom {

// One keyboard model the controller supports (the list always holds the configured one).
struct DeviceModel {
    int vendor_id = 0;
    int product_id = 0;
    std::wstring pattern;  // "VID_%s&PID_%s&MI_02" as built from config.ini
};

// One wanted device of the manager.
struct DeviceFilter {
    int vendor_id = 0;
    int product_id = 0;
    std::wstring product_name;  // empty: any product name
    std::wstring pattern;       // lower case, matched against the interface identity
};

// One open HID interface.
struct DeviceEntry {
    // Longest path kept (the field holds 1024 bytes with its NUL); longer ones are skipped.
    static constexpr std::size_t kMaxPathBytes = 1023;

    int index = 0;
    std::uint16_t vendor_id = 0;
    std::uint16_t product_id = 0;
    std::string path;
    std::wstring manufacturer;
    std::wstring product;
    std::unique_ptr<HidDevice> handle;
    int release_number = 0;
};

// A copy of an entry's description, safe to hold while another thread rescans.
struct DeviceEntryInfo {
    int index = 0;
    std::uint16_t vendor_id = 0;
    std::uint16_t product_id = 0;
    std::string path;
    std::wstring manufacturer;
    std::wstring product;
    int release_number = 0;
};

class CDeviceManager {
public:
    // The manager the program runs with. The library must outlive it.
    CDeviceManager(HidLibrary& library, Clock& clock = SystemClock::Instance());
    ~CDeviceManager();
    CDeviceManager(const CDeviceManager&) = delete;
    CDeviceManager& operator=(const CDeviceManager&) = delete;

    // The one manager of the process, created on first use over the library given to
    // UseProcessLibrary (demo mode hands it the virtual keyboard), else over hidapi.
    static CDeviceManager& GetInstance();
    // Takes the library only once and only before the process's library is first used;
    // false (library not taken) otherwise.
    static bool UseProcessLibrary(std::shared_ptr<HidLibrary> library);
    // The library the process-wide manager uses (the action listener shares it).
    static HidLibrary& ProcessLibrary();

    void AddFilter(int vendor_id, int product_id, const std::wstring& product_name,
                   const std::wstring& pattern);
    bool IsWanted(int vendor_id, int product_id, const std::wstring& product_name) const;
    // Pattern of the first filter with this vendor and product id, or empty.
    std::wstring PatternFor(int vendor_id, int product_id) const;

    // Opens the first wanted interface whose identity contains its filter's pattern
    // (at most one device per scan).
    void Scan();
    // Closes and destroys every entry when enabled; then enabled is false.
    void CloseAll();
    // CloseAll, Scan and enable as one step, so two threads rescanning at once cannot
    // leave two entries behind.
    void Rescan();
    void SetEnabled(bool enabled);
    bool IsEnabled() const;

    int EntryCount() const;
    std::optional<DeviceEntryInfo> GetEntryInfo(int keyboard_index) const;
    // The first entry's release number, 0 with no entry (the firmware version shown).
    int FirmwareRelease() const;

    // The exchanges. `frame` is the 65-byte frame buffer (device/report_frame.h); on return it
    // holds the last response read. True when that response was acknowledged (byte 0 0xAA).
    // False at once, without pausing or writing, when not enabled or the index names no open
    // entry.
    bool SendCommand(Frame& frame, int keyboard_index);  // checked exchange with retry ladder
    bool SendStream(Frame& frame, int keyboard_index);   // streamed light frames: one short read
    bool ReadCommand(Frame& frame, int keyboard_index);  // drains stale input, 64-byte writes

private:
    HidDevice* DeviceAt(int keyboard_index) const;  // caller holds mutex_
    void CloseAllLocked();
    void ScanLocked();
    void Pause(int milliseconds);
    bool CommandLadder(HidDevice& device, Frame& frame, std::size_t write_length);

    HidLibrary& library_;
    Clock& clock_;
    mutable std::mutex mutex_;
    bool enabled_ = false;
    std::vector<std::unique_ptr<DeviceEntry>> entries_;
    mutable std::mutex filters_mutex_;  // filters are read inside Scan, under mutex_
    std::vector<DeviceFilter> filters_;
};

}  // namespace keyloom
