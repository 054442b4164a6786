// Feeds arbitrary bytes to the macro file reader; steps must come out numbered 0, 1, 2 ...
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "exchange/macro_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const keyloom::LoadedXml loaded = keyloom::ParseXml(bytes, "macro");
    const keyloom::ParsedMacro parsed = keyloom::ParseMacroXml(loaded);
    if (!loaded.ok() && !parsed.steps.empty()) {
        std::abort();
    }
    for (size_t i = 0; i < parsed.steps.size(); ++i) {
        if (parsed.steps[i].record_index != static_cast<int>(i)) {
            std::abort();
        }
    }
    return 0;
}
