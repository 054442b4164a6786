#pragma once

// The virtual keyboard: the firmware model of sim/keyboard_firmware.h behind three HID
// interfaces like the real device's (MI_00 keyboard, MI_01 vendor input with usage page
// 0xFF00 / usage 0 carrying action reports, MI_02 configuration). Answers are queued with a
// latency measured on the given clock, so with a ManualClock a whole session runs in no real
// time and stays deterministic. It can be unplugged and replugged, can press keys that send
// action reports, has fault knobs, and keeps a bounded record of every report it received so
// it can run for hours in demo mode.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/clock.h"
#include "device/hid_library.h"
#include "sim/keyboard_firmware.h"

namespace keyloom::sim {

inline constexpr int kKeyboardInterface = 0;
inline constexpr int kActionInterface = 1;
inline constexpr int kConfigInterface = 2;

struct KeyboardOptions {
    std::uint16_t vendor_id = 0x3412;
    std::uint16_t product_id = 0x7A21;
    std::uint16_t release_number = 0x0105;
    std::wstring manufacturer = L"Keyloom";
    std::wstring product = L"Virtual Keyboard";
    // Interface paths are "<path_prefix><serial>/<generation>/mi_NN"; a new generation
    // after every replug, as a real device gets new nodes.
    std::string path_prefix = "sim:";
    std::string serial = "kb0";
    std::size_t record_capacity = 4096;  // reports kept in the record ring
    std::optional<KeyMapTable> factory_key_map;
};

struct RecordedReport {
    int interface_number = 0;
    std::vector<std::uint8_t> bytes;  // as written, report id first
    Clock::TimePoint time;
};

struct TrafficCounters {
    std::uint64_t config_writes = 0;   // write calls on MI_02 (failed ones included)
    std::uint64_t config_reads = 0;    // read calls on MI_02
    std::uint64_t failed_writes = 0;   // writes refused by the fault knob or a dead handle
    std::uint64_t dropped_acks = 0;    // answers swallowed by the fault knob
    std::uint64_t action_reports = 0;  // reports delivered on MI_01
};

// Called for each interface that appears or disappears, with its identity
// ("vid_xxxx&pid_xxxx&mi_NN"), outside the keyboard's lock.
using PlugObserver = std::function<void(bool arrived, const std::wstring& identity)>;

class VirtualKeyboard {
public:
    explicit VirtualKeyboard(KeyboardOptions options = {}, Clock& clock = SystemClock::Instance());
    ~VirtualKeyboard();
    VirtualKeyboard(const VirtualKeyboard&) = delete;
    VirtualKeyboard& operator=(const VirtualKeyboard&) = delete;

    // HID side (used by SimHidLibrary).
    std::vector<HidDeviceInfo> Interfaces() const;  // empty while unplugged
    std::unique_ptr<HidDevice> Open(const std::string& path);

    // Plugging. Open handles die with an unplug (every call then fails with -1).
    void Unplug();
    void Replug();
    bool IsPlugged() const;
    void SetPlugObserver(PlugObserver observer);

    // A key assigned to a computer-side action: sends 02 kind id on MI_01.
    void PressActionKey(std::uint8_t kind, std::uint8_t action_id);
    // Any raw input report on MI_01 (report id first).
    void QueueActionReport(std::vector<std::uint8_t> report);

    // Fault knobs.
    void SetAnswerLatency(Clock::Duration latency);
    void DropAcknowledgements(int count);  // the next `count` answers are lost
    void FailWrites(int count);            // the next `count` writes on MI_02 fail
    // `count` old answers waiting on MI_02 as if left over from an earlier exchange.
    void QueueStaleReports(int count);
    void SetOpenFails(bool fails);  // as if another program held the interfaces

    // Inspection.
    FirmwareTables Tables() const;
    FirmwareCounters FirmwareCounts() const;
    TrafficCounters Traffic() const;
    std::vector<RecordedReport> Record() const;  // oldest first, at most record_capacity
    // Only the reports received on one interface, as report bytes 0..63 (report id removed).
    std::vector<Report> ConfigRequests() const;
    void ClearRecord();
    bool InSequence() const;

    const KeyboardOptions& Options() const;

    struct Core;

private:
    std::shared_ptr<Core> core_;
};

}  // namespace keyloom::sim
