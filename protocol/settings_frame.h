#pragma once

// The keyboard's 64-byte settings frame: read with 0x05, written back with 0x06 with the
// lighting parameters and the game-mode flags set and every other byte as the keyboard
// returned it.

#include <cstdint>
#include <string_view>

#include "protocol/command_frame.h"
#include "store/records.h"

namespace keyloom {

// Settings byte positions (report bytes).
inline constexpr std::size_t kSettingsModeByte = 10;
inline constexpr std::size_t kSettingsGameFlagsByte = 25;

// Bit 0 blocks the Windows key, bit 1 Alt+Tab, bit 2 Alt+F4; a setting blocks only when
// its stored text is exactly "1".
std::uint8_t GameFlagByte(std::wstring_view disable_win, std::wstring_view disable_alttab,
                          std::wstring_view disable_altf4);

// The 0x06 request built from `response`, the buffer of an answered 0x05 read (response
// byte k at position k): report byte k goes to position k + 1, and bytes 0, 1 and 10..18
// and 25 are replaced. Each light value travels as its low byte; speed is inverted (4 -
// speed) because the keyboard counts the other way.
Frame MakeSettingsWriteFrame(const Frame& response, const LightSetting& light,
                             std::uint8_t game_flags);

}  // namespace keyloom
