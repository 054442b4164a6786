#include "localization/language_list.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/ini_file.h"

namespace keyloom {
namespace {

std::vector<int> OfferedLcids(std::string_view ini_text) {
    std::vector<int> lcids;
    for (const LanguageListItem& item : OfferedLanguages(IniFile::Parse(ini_text))) {
        lcids.push_back(item.lcid);
    }
    return lcids;
}

TEST(LanguageListTest, OffersTheEnabledLanguagesInListOrder) {
    const std::vector<LanguageListItem> items =
        OfferedLanguages(IniFile::Parse("[TEXT]\nLAN_ENGLISH=1\nLAN_CHINESE =1\n"));
    ASSERT_EQ(items.size(), 2U);
    EXPECT_EQ(items[0].lcid, 2052);
    EXPECT_EQ(items[0].list_name, L"简体中文");
    EXPECT_EQ(items[1].lcid, 1033);
    EXPECT_EQ(items[1].list_name, L"English");

    const std::vector<LanguageListItem> all = OfferedLanguages(IniFile::Parse(
        "[TEXT]\nLAN_THAI=1\nLAN_FRENCH=1\nLAN_RUSSIAN=1\nLAN_ENGLISH=1\nLAN_CHINESE=1\n"));
    ASSERT_EQ(all.size(), 5U);
    const int order[] = {2052, 1033, 1049, 1036, 1054};
    const wchar_t* names[] = {L"简体中文", L"English", L"Русский язык", L"Français",
                              L"ภาษาไทย(Thai)"};
    for (std::size_t i = 0; i < all.size(); ++i) {
        EXPECT_EQ(all[i].lcid, order[i]);
        EXPECT_EQ(all[i].list_name, names[i]);
    }
}

TEST(LanguageListTest, WhatCountsAsOffering) {
    struct Case {
        const char* ini;
        std::vector<int> lcids;
    };
    const Case cases[] = {
        // Keys and sections are trimmed and compared without regard to case.
        {"[TEXT]\nLAN_CHINESE =1\n", {2052}},
        {"[text]\n  lan_chinese   =   1  \r\n Lan_Thai=1\r\n", {2052, 1054}},
        {"[ Text ]\nLAN_russian\t=1\n", {1049}},
        // Only the value 1 offers a language.
        {"[TEXT]\nLAN_ENGLISH=0\nLAN_FRENCH=2\nLAN_THAI=-1\nLAN_RUSSIAN=\n", {}},
        {"[TEXT]\nLAN_ENGLISH=yes\nLAN_FRENCH=1\n", {1036}},
        // Read as a number, like the platform's integer reading of a profile key.
        {"[TEXT]\nLAN_ENGLISH=01\nLAN_FRENCH=1 ; on\n", {1033, 1036}},
        // The keys belong to section TEXT only; a commented key offers nothing.
        {"[OTHER]\nLAN_ENGLISH=1\n[TEXT]\n;LAN_CHINESE=1\nLAN_THAI=1\n", {1054}},
        {"LAN_ENGLISH=1\n", {}},
        {"", {}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(OfferedLcids(c.ini), c.lcids) << c.ini;
    }
}

TEST(LanguageListTest, MissingConfigFileOffersNothingAndHasNoCaption) {
    const IniFile missing = IniFile::Load("/nonexistent-keyloom-folder/config.ini");
    EXPECT_TRUE(OfferedLanguages(missing).empty());
    EXPECT_EQ(MainWindowCaption(missing, 2052), L"");
}

TEST(LanguageListTest, SelectsTheCurrentLanguageWhenOffered) {
    const std::vector<LanguageListItem> items =
        OfferedLanguages(IniFile::Parse("[TEXT]\nLAN_CHINESE=1\nLAN_ENGLISH=1\nLAN_THAI=1\n"));
    EXPECT_EQ(SelectedLanguageIndex(items, 2052), std::optional<std::size_t>(0));
    EXPECT_EQ(SelectedLanguageIndex(items, 1054), std::optional<std::size_t>(2));
    EXPECT_EQ(SelectedLanguageIndex(items, 1049), std::nullopt);
    EXPECT_EQ(SelectedLanguageIndex(items, 1031), std::nullopt);
    EXPECT_EQ(SelectedLanguageIndex({}, 2052), std::nullopt);
}

TEST(LanguageListTest, CaptionIsTheKeyOfTheLanguageId) {
    const IniFile config = IniFile::Parse(
        "[TEXT]\n2052=键盘驱动\n1033 = Keyboard Driver \n1031=Tastaturtreiber\n"
        "[OTHER]\n1049=wrong section\n");
    EXPECT_EQ(MainWindowCaption(config, 2052), L"键盘驱动");
    EXPECT_EQ(MainWindowCaption(config, 1033), L"Keyboard Driver");
    // The caption follows the language id itself, not the table that serves it.
    EXPECT_EQ(MainWindowCaption(config, 1031), L"Tastaturtreiber");
    EXPECT_EQ(MainWindowCaption(config, 1049), L"");
    EXPECT_EQ(MainWindowCaption(config, 1054), L"");
}

}  // namespace
}  // namespace keyloom
