#include "sim/keyboard_firmware.h"

#include <algorithm>
#include <span>

#include "keys/key_layout.h"

namespace keyloom::sim {
namespace {

constexpr std::uint8_t kBegin = 0x01;
constexpr std::uint8_t kEnd = 0x02;
constexpr std::uint8_t kReadSettings = 0x05;
constexpr std::uint8_t kWriteSettings = 0x06;
constexpr std::uint8_t kReadKeyMap = 0x07;
constexpr std::uint8_t kReadFactoryKeyMap = 0x08;
constexpr std::uint8_t kWriteKeyMap = 0x09;
constexpr std::uint8_t kWriteColourMap = 0x0B;
constexpr std::uint8_t kWriteMacroArea = 0x0D;
constexpr std::uint8_t kShowColourFrame = 0xDD;
constexpr std::uint8_t kFactoryReset = 0xEE;

// The settings frame's own bytes (those the program echoes unchanged) carry values here so
// a host that loses them is caught.
constexpr std::size_t kSettingsLengthValue = 0x20;

struct Piece {
    std::size_t offset = 0;
    std::size_t length = 0;
};

Piece PieceOf(const Report& request) {
    return Piece{static_cast<std::size_t>(request[kOffsetLowByte]) |
                     (static_cast<std::size_t>(request[kOffsetHighByte]) << 8U),
                 request[kLengthByte]};
}

bool Fits(const Piece& piece, std::size_t table_size) {
    return piece.length <= kPieceSize && piece.offset + piece.length <= table_size;
}

void Stamp(Report& answer) {
    answer[kChecksumByte] = ReportChecksum(answer.data());
}

}  // namespace

KeyMapTable DefaultFactoryKeyMap() {
    KeyMapTable map{};
    for (const KeyLayoutRow& key : KeyLayoutTable) {
        if (key.matrix_index < 0 || key.matrix_index >= kMatrixSlots || key.usage == kUsageFn) {
            continue;
        }
        std::uint8_t* slot = map.data() + static_cast<std::size_t>(key.matrix_index) * 6;
        slot[0] = 0x10;  // a plain key: no modifier, its own usage
        if (key.usage >= 0xE0 && key.usage <= 0xE7) {
            slot[2] = static_cast<std::uint8_t>(1U << (key.usage - 0xE0));  // modifier bit
        } else {
            slot[2] = static_cast<std::uint8_t>(key.usage);
        }
    }
    return map;
}

SettingsTable DefaultFactorySettings() {
    SettingsTable settings{};
    settings[kLengthByte] = kSettingsLengthValue;
    settings[8] = 0x01;  // firmware's own bytes, echoed by the host
    settings[9] = 0x80;
    settings[10] = 6;    // light mode
    settings[11] = 100;  // brightness
    settings[12] = 1;    // 4 - speed 3
    settings[13] = 0;    // direction
    settings[14] = 1;    // multicolour
    settings[15] = 0;    // colour index
    settings[16] = 0x38;
    settings[17] = 0xE3;
    settings[18] = 0xED;
    settings[19] = 0x04;  // polling rate code and other firmware settings
    settings[20] = 0x01;
    settings[22] = 0x0A;
    settings[25] = 0x00;  // game-mode flags
    settings[40] = 0x5A;
    return settings;
}

KeyboardFirmware::KeyboardFirmware(const KeyMapTable& factory_key_map) {
    tables_.factory_key_map = factory_key_map;
    tables_.factory_colour_map.fill(0xFF);
    tables_.factory_settings = DefaultFactorySettings();
    FactoryReset();
    counters_.factory_resets = 0;
}

void KeyboardFirmware::FactoryReset() {
    tables_.key_map = tables_.factory_key_map;
    tables_.colour_map = tables_.factory_colour_map;
    tables_.macro_area.fill(0);
    tables_.settings = tables_.factory_settings;
    tables_.shown_colours.fill(0);
    ++counters_.factory_resets;
}

void KeyboardFirmware::PowerCycle() {
    in_sequence_ = false;
    frame_pieces_seen_ = false;
    tables_.shown_colours.fill(0);
}

Report KeyboardFirmware::Acknowledge(const Report& request) const {
    Report answer{};
    answer[kMarkerByte] = kAckMarker;
    answer[kCommandByte] = request[kCommandByte];
    answer[kLengthByte] = request[kLengthByte];
    answer[kOffsetLowByte] = request[kOffsetLowByte];
    answer[kOffsetHighByte] = request[kOffsetHighByte];
    return answer;
}

Report KeyboardFirmware::Refuse(const Report& request) {
    ++counters_.refused;
    Report answer{};
    answer[kMarkerByte] = kRefusedMarker;
    answer[kCommandByte] = request[kCommandByte];
    return answer;
}

std::optional<Report> KeyboardFirmware::Handle(const Report& request) {
    ++counters_.requests;
    if (request[kMarkerByte] != kRequestMarker) {
        ++counters_.refused;
        return std::nullopt;
    }
    if (request[kChecksumByte] != ReportChecksum(request.data()) ||
        request[kLengthByte] > kPieceSize) {
        return Refuse(request);
    }
    const Piece piece = PieceOf(request);
    const std::span<const std::uint8_t> data(request.data() + kDataByte, piece.length);
    Report answer = Acknowledge(request);

    auto store = [&](std::span<std::uint8_t> table) {
        if (!Fits(piece, table.size())) {
            return false;
        }
        std::copy(data.begin(), data.end(), table.begin() + static_cast<long>(piece.offset));
        return true;
    };
    auto load = [&](std::span<const std::uint8_t> table) {
        if (!Fits(piece, table.size())) {
            return false;
        }
        std::copy_n(table.begin() + static_cast<long>(piece.offset), piece.length,
                    answer.begin() + kDataByte);
        return true;
    };

    const std::uint8_t command = request[kCommandByte];
    if (!in_sequence_ && command != kBegin && command != kEnd && command != kFactoryReset) {
        ++counters_.unbracketed;
    }
    bool accepted = true;
    switch (command) {
        case kBegin:
            in_sequence_ = true;
            frame_pieces_seen_ = false;
            ++counters_.sequences;
            break;
        case kEnd:
            if (frame_pieces_seen_) {
                tables_.shown_colours = frame_staging_;
                ++counters_.frames_shown;
            }
            in_sequence_ = false;
            frame_pieces_seen_ = false;
            break;
        case kReadSettings:
            answer = tables_.settings;
            answer[kMarkerByte] = kAckMarker;
            answer[kCommandByte] = kReadSettings;
            break;
        case kWriteSettings:
            std::copy(request.begin() + kLengthByte, request.end(),
                      tables_.settings.begin() + kLengthByte);
            break;
        case kReadKeyMap:
            accepted = load(tables_.key_map);
            break;
        case kReadFactoryKeyMap:
            accepted = load(tables_.factory_key_map);
            break;
        case kWriteKeyMap:
            accepted = store(tables_.key_map);
            break;
        case kWriteColourMap:
            accepted = store(tables_.colour_map);
            break;
        case kWriteMacroArea:
            accepted = store(tables_.macro_area);
            break;
        case kShowColourFrame:
            accepted = store(frame_staging_);
            frame_pieces_seen_ = frame_pieces_seen_ || accepted;
            break;
        case kFactoryReset:
            FactoryReset();
            break;
        default:
            accepted = false;
            break;
    }
    if (!accepted) {
        return Refuse(request);
    }
    Stamp(answer);
    return answer;
}

}  // namespace keyloom::sim
