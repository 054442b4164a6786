#pragma once

// The profile file: one profile's key assignments as XML, written from the profile list and
// read back as a new profile.

#include <cstdint>
#include <string>
#include <vector>

#include "exchange/xml_file.h"
#include "store/records.h"

namespace keyloom {

class ConfigDatabase;

struct ParsedProfile {
    std::wstring name;
    std::vector<KeyAssignment> items;  // profile and key_id left 0
};

// The document for a profile: standard-layer rows first, then Fn-layer rows.
std::string BuildProfileXml(const std::wstring& shown_name,
                            const std::vector<KeyAssignment>& standard_layer,
                            const std::vector<KeyAssignment>& fn_layer);
// Reads a document whose root is "profile"; `error` tells why nothing could be read.
ParsedProfile ParseProfileXml(const LoadedXml& loaded);

struct ExportOutcome {
    std::wstring path;   // the file name that was written (or tried)
    bool saved = false;  // false when the file could not be written
};

// Writes `profile`'s key rows to "<folder>/<shown name>-<ticks>.xml".
ExportOutcome ExportProfile(ConfigDatabase& database, int profile, const std::wstring& shown_name,
                            const std::wstring& folder, std::uint32_t tick_count);

struct ImportOutcome {
    XmlLoadError error = XmlLoadError::kNone;
    std::wstring name;  // the list entry to add when error is kNone
    int id = 0;         // its id (0 when the store refused the new row)
    int items_read = 0;
    int items_stored =
        0;  // rows the store accepted (a later row for a key replaces an earlier one)
};

// Adds the file's profile as a new profile (not made current) with its key rows. Nothing is
// stored for a file that does not load, is not a profile file, or holds too many items.
ImportOutcome ImportProfile(ConfigDatabase& database, const std::wstring& file);

}  // namespace keyloom
