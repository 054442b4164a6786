#pragma once

// The 64-byte configuration report and the 65-byte frame buffer the exchanges take.
//
// Frame buffer: position 0 = report id 0, positions 1..64 = report bytes 0..63 (the write
// buffer). After an exchange the buffer holds the response at positions 0..63 (response byte
// k at position k), position 64 unchanged.
//
// Report bytes: 0 = 0x55 request / 0xAA acknowledgement, 1 = command, 2 = 0, 3 = checksum,
// 4 = data length (0..56), 5..6 = data offset (little-endian), 7 = 0, 8..63 = data.

#include <array>
#include <cstddef>
#include <cstdint>

namespace keyloom {

inline constexpr std::size_t kReportSize = 64;
inline constexpr std::size_t kFrameSize = kReportSize + 1;
inline constexpr std::size_t kPieceSize = 56;  // data bytes per report

inline constexpr std::uint8_t kRequestMarker = 0x55;
inline constexpr std::uint8_t kAckMarker = 0xAA;

// Report byte positions.
inline constexpr std::size_t kMarkerByte = 0;
inline constexpr std::size_t kCommandByte = 1;
inline constexpr std::size_t kChecksumByte = 3;
inline constexpr std::size_t kLengthByte = 4;
inline constexpr std::size_t kOffsetLowByte = 5;
inline constexpr std::size_t kOffsetHighByte = 6;
inline constexpr std::size_t kDataByte = 8;

using Frame = std::array<std::uint8_t, kFrameSize>;
using Report = std::array<std::uint8_t, kReportSize>;

// Low 8 bits of the sum of report bytes 4..last_report_byte (63 for 65-byte writes, 62 for the
// 64-byte writes of ReadCommand, which the keyboard receives with byte 63 = 0).
std::uint8_t ReportChecksum(const std::uint8_t* report, std::size_t last_report_byte = 63);

// Frame-buffer form: the report starts at position 1.
std::uint8_t FrameChecksum(const Frame& frame, std::size_t last_report_byte = 63);

}  // namespace keyloom
