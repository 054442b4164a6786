// Feeds arbitrary bytes to the profile file reader: it must never crash, hang or read out of
// bounds, and every item it returns must have been an item element of the file.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "exchange/profile_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const keyloom::LoadedXml loaded = keyloom::ParseXml(bytes, "profile");
    const keyloom::ParsedProfile parsed = keyloom::ParseProfileXml(loaded);
    if (!loaded.ok() && (!parsed.items.empty() || !parsed.name.empty())) {
        std::abort();  // nothing may come out of a file that did not load
    }
    return 0;
}
