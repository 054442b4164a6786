#pragma once

// What config.ini decides about languages: which ones the settings dialog offers, and the
// main window's caption in each of them.

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/ini_file.h"

namespace keyloom {

struct LanguageListItem {
    int lcid;
    std::wstring list_name;
};

// The languages whose key in section "TEXT" holds 1, in the order Chinese, English, Russian,
// French, Thai. A missing or unreadable config.ini offers none.
std::vector<LanguageListItem> OfferedLanguages(const IniFile& config);

// The entry to select for `lcid`; none when that language is not offered.
std::optional<std::size_t> SelectedLanguageIndex(std::span<const LanguageListItem> items, int lcid);

// Section "TEXT", key `lcid` in decimal; empty when the key is missing.
std::wstring MainWindowCaption(const IniFile& config, int lcid);

}  // namespace keyloom
