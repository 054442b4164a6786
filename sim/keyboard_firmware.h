#pragma once

// The keyboard's side of the configuration protocol: the tables the firmware keeps and how
// it answers each request report. No time and no transport here (sim/virtual_keyboard.h adds
// those), so every answer is a pure function of the tables and the request.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "device/report_frame.h"

namespace keyloom::sim {

inline constexpr std::size_t kKeyMapBytes = 768;      // 128 slots x 6 bytes
inline constexpr std::size_t kColourMapBytes = 384;   // 128 keys x 3 bytes
inline constexpr std::size_t kMacroAreaBytes = 3584;  // offset table + steps
inline constexpr std::size_t kSettingsBytes = 64;     // one report

using KeyMapTable = std::array<std::uint8_t, kKeyMapBytes>;
using ColourMapTable = std::array<std::uint8_t, kColourMapBytes>;
using MacroAreaTable = std::array<std::uint8_t, kMacroAreaBytes>;
using SettingsTable = std::array<std::uint8_t, kSettingsBytes>;

// A request the firmware refused is answered with this marker in byte 0.
inline constexpr std::uint8_t kRefusedMarker = 0x00;

// Everything the firmware holds, copyable for inspection.
struct FirmwareTables {
    KeyMapTable key_map{};
    KeyMapTable factory_key_map{};  // what 0x08 reads and 0xEE restores
    ColourMapTable colour_map{};
    ColourMapTable factory_colour_map{};
    MacroAreaTable macro_area{};
    SettingsTable settings{};
    SettingsTable factory_settings{};
    ColourMapTable shown_colours{};  // the last complete streamed frame (0x01, 0xDD..., 0x02)
};

struct FirmwareCounters {
    std::uint64_t requests = 0;      // every report handled
    std::uint64_t refused = 0;       // bad marker, checksum, length, range or command
    std::uint64_t sequences = 0;     // begin commands
    std::uint64_t frames_shown = 0;  // streamed frames completed by an end command
    std::uint64_t factory_resets = 0;
    // Data commands (anything but begin, end and factory reset) outside a begin/end pair.
    std::uint64_t unbracketed = 0;
};

// The factory key map the virtual keyboard ships with when none is given: every key of the
// layout as itself on the standard layer (kind 0x10, no modifier, its usage code; modifier
// keys as their modifier bit), nothing on the Fn layer, empty positions and Fn all zero.
KeyMapTable DefaultFactoryKeyMap();
SettingsTable DefaultFactorySettings();

class KeyboardFirmware {
public:
    explicit KeyboardFirmware(const KeyMapTable& factory_key_map = DefaultFactoryKeyMap());

    // Handles one 64-byte request. Nothing comes back for a report that is not a request
    // (byte 0 not 0x55); a request that is refused is answered with byte 0 = 0x00.
    std::optional<Report> Handle(const Report& request);

    // What 0xEE does: key map, colour map, macro area and settings back to factory state.
    void FactoryReset();
    // A fresh power-up after a replug: tables kept, sequence and streamed frame forgotten.
    void PowerCycle();

    const FirmwareTables& Tables() const { return tables_; }
    const FirmwareCounters& Counters() const { return counters_; }
    bool InSequence() const { return in_sequence_; }

private:
    Report Acknowledge(const Report& request) const;
    Report Refuse(const Report& request);

    FirmwareTables tables_;
    FirmwareCounters counters_;
    bool in_sequence_ = false;
    bool frame_pieces_seen_ = false;
    ColourMapTable frame_staging_{};
};

}  // namespace keyloom::sim
