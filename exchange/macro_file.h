#pragma once

// The macro file: one macro's header and steps as XML, written from the macro list and read
// back as a new macro.

#include <cstdint>
#include <string>
#include <vector>

#include "exchange/profile_file.h"
#include "exchange/xml_file.h"
#include "store/records.h"

namespace keyloom {

class ConfigDatabase;

struct ParsedMacro {
    MacroInfo info;                 // macro_id and link_count left 0
    std::vector<MacroEvent> steps;  // record_index numbered in document order
};

std::string BuildMacroXml(const MacroInfo& info, const std::vector<MacroEvent>& steps);
ParsedMacro ParseMacroXml(const LoadedXml& loaded);

// Writes macro `macro_id` to "<folder>/<shown name>-<ticks>.xml".
ExportOutcome ExportMacro(ConfigDatabase& database, int macro_id, const std::wstring& shown_name,
                          const std::wstring& folder, std::uint32_t tick_count);

// Adds the file's macro as a new macro with its steps (link count 0, assigned to no key).
// Nothing is stored for a file that does not load, is not a macro file, or holds too many steps.
ImportOutcome ImportMacro(ConfigDatabase& database, const std::wstring& file);

}  // namespace keyloom
