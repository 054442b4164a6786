#include "protocol/command_frame.h"

#include <algorithm>

namespace keyloom {

Frame MakeCommandFrame(std::uint8_t command) {
    Frame frame{};
    // Buffer position = report byte + 1.
    frame[kMarkerByte + 1] = kRequestMarker;
    frame[kCommandByte + 1] = command;
    return frame;
}

Frame MakePieceFrame(std::uint8_t command, std::uint16_t offset, std::uint8_t length,
                     std::span<const std::uint8_t> data) {
    Frame frame = MakeCommandFrame(command);
    frame[kLengthByte + 1] = length;
    frame[kOffsetLowByte + 1] = static_cast<std::uint8_t>(offset & 0xFF);
    frame[kOffsetHighByte + 1] = static_cast<std::uint8_t>(offset >> 8);
    const std::size_t count = std::min(data.size(), kPieceSize);
    std::copy_n(data.begin(), count, frame.begin() + kDataByte + 1);
    return frame;
}

std::span<const std::uint8_t, kPieceSize> ResponseData(const Frame& frame) {
    return std::span<const std::uint8_t, kPieceSize>(frame.data() + kDataByte, kPieceSize);
}

}  // namespace keyloom
