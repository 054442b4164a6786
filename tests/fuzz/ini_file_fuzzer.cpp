// Feeds arbitrary bytes to the INI reader and looks up the keys the program reads.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/ini_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const keyloom::IniFile ini =
        keyloom::IniFile::Parse(std::string_view(reinterpret_cast<const char*>(data), size));
    for (const wchar_t* key : {L"VID ", L"PID ", L"LAN_CHINESE ", L"KB_IMAGE_X", L"1033"}) {
        (void)ini.GetString(L"TEXT", key);
        (void)ini.GetInt(L"TEXT", key, 0);
    }
    return 0;
}
