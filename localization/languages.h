#pragma once

// The five interface languages and what belongs to each of them.

#include <span>
#include <string_view>

#include "localization/text_table.h"

namespace keyloom {

inline constexpr int kLcidChinese = 2052;
inline constexpr int kLcidEnglish = 1033;
inline constexpr int kLcidFrench = 1036;
inline constexpr int kLcidRussian = 1049;
inline constexpr int kLcidThai = 1054;

struct Language {
    int lcid;
    // How the language offers itself in the settings dialog's list.
    std::wstring_view list_name;
    // The config.ini key (section "TEXT") whose value 1 offers the language.
    std::wstring_view config_key;
    // What every id the table lacks shows in this language.
    std::wstring_view name_text;
    std::span<const TextEntry> (*texts)();
};

// In the order the language list shows them: Chinese, English, Russian, French, Thai.
std::span<const Language> Languages();

// The language whose table serves `lcid`; any id the program does not know gets English.
const Language& LanguageFor(int lcid);

}  // namespace keyloom
