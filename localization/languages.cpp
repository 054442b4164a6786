#include "localization/languages.h"

#include <array>

namespace keyloom {

namespace {

// The Chinese key is written with a trailing blank in config.ini files already shipped;
// the INI reader trims keys, so it matches either spelling.
constexpr std::array<Language, 5> kLanguages{{
    {kLcidChinese, L"简体中文", L"LAN_CHINESE ", L"中文", &ChineseTexts},
    {kLcidEnglish, L"English", L"LAN_ENGLISH", L"ENG", &EnglishTexts},
    {kLcidRussian, L"Русский язык", L"LAN_RUSSIAN", L"Russian", &RussianTexts},
    {kLcidFrench, L"Français", L"LAN_FRENCH", L"French", &FrenchTexts},
    {kLcidThai, L"ภาษาไทย(Thai)", L"LAN_THAI", L"Thai", &ThaiTexts},
}};

constexpr std::size_t kEnglishIndex = 1;

}  // namespace

std::span<const Language> Languages() {
    return kLanguages;
}

const Language& LanguageFor(int lcid) {
    for (const Language& language : kLanguages) {
        if (language.lcid == lcid) {
            return language;
        }
    }
    return kLanguages[kEnglishIndex];
}

}  // namespace keyloom
