#include "localization/language_change.h"

#include <gtest/gtest.h>

#include <vector>

#include "localization/load_text.h"
#include "tests/localization/current_lcid_guard.h"

namespace keyloom {
namespace {

TEST(LanguageChangeTest, PickingTheLanguageInUseStoresNothing) {
    const CurrentLcidGuard guard;
    CurrentLcid.store(1036);
    std::vector<int> stored;
    EXPECT_FALSE(ChangeLanguage(1036, [&](int lcid) { stored.push_back(lcid); }));
    EXPECT_TRUE(stored.empty());
    EXPECT_EQ(CurrentLcid.load(), 1036);
}

TEST(LanguageChangeTest, PickingAnotherLanguageSwitchesAndStoresIt) {
    const CurrentLcidGuard guard;
    CurrentLcid.store(2052);
    std::vector<int> stored;
    // The setting is written after CurrentLcid has changed, so a writer that reads it back
    // sees the new language.
    std::vector<int> lcid_while_storing;
    const auto store = [&](int lcid) {
        stored.push_back(lcid);
        lcid_while_storing.push_back(CurrentLcid.load());
    };

    EXPECT_TRUE(ChangeLanguage(1054, store));
    EXPECT_EQ(CurrentLcid.load(), 1054);
    EXPECT_EQ(LoadText(505), L"ภาษา");
    EXPECT_TRUE(ChangeLanguage(1033, store));
    EXPECT_FALSE(ChangeLanguage(1033, store));

    EXPECT_EQ(stored, (std::vector<int>{1054, 1033}));
    EXPECT_EQ(lcid_while_storing, (std::vector<int>{1054, 1033}));
    EXPECT_EQ(LoadText(505), L"Language");
}

}  // namespace
}  // namespace keyloom
