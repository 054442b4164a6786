#pragma once

// The command set and the requests built in the frame buffer of device/report_frame.h:
// position 0 is the report id (0), positions 1..64 are report bytes 0..63. After an
// exchange the same buffer holds the response one position lower (response byte k at k).

#include <cstddef>
#include <cstdint>
#include <span>

#include "device/report_frame.h"

namespace keyloom {

namespace command {
inline constexpr std::uint8_t kBegin = 0x01;
inline constexpr std::uint8_t kEnd = 0x02;
inline constexpr std::uint8_t kReadSettings = 0x05;
inline constexpr std::uint8_t kWriteSettings = 0x06;
inline constexpr std::uint8_t kReadKeyMap = 0x07;
inline constexpr std::uint8_t kReadSecondKeyMap = 0x08;
inline constexpr std::uint8_t kWriteKeyMap = 0x09;
inline constexpr std::uint8_t kWriteColourMap = 0x0B;
inline constexpr std::uint8_t kWriteMacroArea = 0x0D;
inline constexpr std::uint8_t kShowColourFrame = 0xDD;
inline constexpr std::uint8_t kFactoryReset = 0xEE;
}  // namespace command

// The settings read asks for this length at offset 0.
inline constexpr std::uint8_t kSettingsReadLength = 0x20;

// A frame with no data: begin, end, factory reset.
Frame MakeCommandFrame(std::uint8_t command);

// A frame of one piece of a transfer. `data` (at most 56 bytes) fills report bytes 8
// onward; reads pass no data. The checksum is left to the exchange.
Frame MakePieceFrame(std::uint8_t command, std::uint16_t offset, std::uint8_t length,
                     std::span<const std::uint8_t> data = {});

// The 56 response data bytes of a buffer after its exchange.
std::span<const std::uint8_t, kPieceSize> ResponseData(const Frame& frame);

}  // namespace keyloom
