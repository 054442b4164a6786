#include "localization/language_list.h"

#include "localization/languages.h"

namespace keyloom {

namespace {

constexpr std::wstring_view kTextSection = L"TEXT";

}  // namespace

std::vector<LanguageListItem> OfferedLanguages(const IniFile& config) {
    std::vector<LanguageListItem> items;
    for (const Language& language : Languages()) {
        if (config.GetInt(kTextSection, language.config_key, 0) == 1) {
            items.push_back({language.lcid, std::wstring(language.list_name)});
        }
    }
    return items;
}

std::optional<std::size_t> SelectedLanguageIndex(std::span<const LanguageListItem> items,
                                                 int lcid) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (items[i].lcid == lcid) {
            return i;
        }
    }
    return std::nullopt;
}

std::wstring MainWindowCaption(const IniFile& config, int lcid) {
    return config.GetString(kTextSection, std::to_wstring(lcid));
}

}  // namespace keyloom
