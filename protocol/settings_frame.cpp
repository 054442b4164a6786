#include "protocol/settings_frame.h"

#include <algorithm>

namespace keyloom {
namespace {

std::uint8_t LowByte(int value) {
    return static_cast<std::uint8_t>(value & 0xFF);
}

}  // namespace

std::uint8_t GameFlagByte(std::wstring_view disable_win, std::wstring_view disable_alttab,
                          std::wstring_view disable_altf4) {
    std::uint8_t flags = 0;
    if (disable_win == L"1") {
        flags |= 0x01;
    }
    if (disable_alttab == L"1") {
        flags |= 0x02;
    }
    if (disable_altf4 == L"1") {
        flags |= 0x04;
    }
    return flags;
}

Frame MakeSettingsWriteFrame(const Frame& response, const LightSetting& light,
                             std::uint8_t game_flags) {
    Frame frame{};
    std::copy_n(response.begin(), kFrameSize - 1, frame.begin() + 1);
    // Buffer position = report byte + 1.
    auto report = [&frame](std::size_t byte) -> std::uint8_t& { return frame[byte + 1]; };
    report(0) = kRequestMarker;
    report(1) = command::kWriteSettings;
    report(kSettingsModeByte) = LowByte(light.mode);
    report(11) = LowByte(light.brightness);
    report(12) = LowByte(4 - light.speed);
    report(13) = LowByte(light.direction);
    report(14) = LowByte(light.colorful);
    report(15) = LowByte(light.colorindex);
    report(16) = LowByte(light.color_value);
    report(17) = LowByte(light.color_value >> 8);
    report(18) = LowByte(light.color_value >> 16);
    report(kSettingsGameFlagsByte) = game_flags;
    return frame;
}

}  // namespace keyloom
