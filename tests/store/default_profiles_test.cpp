#include "store/default_profiles.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "localization/load_text.h"
#include "tests/store/store_fixture.h"

namespace keyloom::store_test {
namespace {

class DefaultProfiles : public StoreTest {
protected:
    void TearDown() override { CurrentLcid = saved_lcid_; }

    std::vector<std::wstring> Names(const std::vector<ProfileInfo>& profiles) {
        std::vector<std::wstring> names;
        names.reserve(profiles.size());
        for (const auto& p : profiles) {
            names.push_back(p.name);
        }
        return names;
    }

    int saved_lcid_ = CurrentLcid;
};

TEST_F(DefaultProfiles, EmptyStoreGetsThreeProfilesInTheCurrentLanguage) {
    const std::pair<int, std::vector<std::wstring>> cases[] = {
        {1033, {L"Profile 1", L"Profile 2", L"Profile 3"}},
        {2052, {L"配置方案 1", L"配置方案 2", L"配置方案 3"}},
    };
    for (const auto& [lcid, names] : cases) {
        CurrentLcid = lcid;
        db_.ResetDatabase(folder_.Wide(), kDatabaseName);
        std::vector<ProfileInfo> profiles;
        ASSERT_EQ(LoadProfilesWithDefaults(db_, profiles), 3) << lcid;
        EXPECT_EQ(Names(profiles), names) << lcid;
        EXPECT_EQ(profiles[0].profile, 1);
        EXPECT_EQ(profiles[0].status, 1);
        EXPECT_EQ(profiles[2].profile, 3);
        EXPECT_EQ(db_.GetCurrentProfile(), 1);
        // The first profile brought the default settings with it, once.
        std::wstring value;
        EXPECT_TRUE(db_.GetConfigValue(L"disable_altf4", value));
        EXPECT_EQ(value, L"0");
        EXPECT_EQ(QueryInt(db_, "SELECT count(*) FROM t_config_data"), 9);
    }
}

TEST_F(DefaultProfiles, ExistingProfilesAreListedUnchanged) {
    ASSERT_EQ(db_.AddProfile({.name = L"My keys"}), 1);
    std::vector<ProfileInfo> profiles;
    ASSERT_EQ(LoadProfilesWithDefaults(db_, profiles), 1);
    EXPECT_EQ(profiles[0].name, L"My keys");
    EXPECT_EQ(db_.GetCurrentProfile(), 0);
    EXPECT_EQ(QueryInt(db_, "SELECT count(*) FROM t_config_data"), 0);
}

TEST_F(DefaultProfiles, DefaultsComeBackAfterAFactoryReset) {
    CurrentLcid = 1033;
    std::vector<ProfileInfo> profiles;
    ASSERT_EQ(LoadProfilesWithDefaults(db_, profiles), 3);
    ASSERT_GT(db_.AddProfile({.name = L"fourth"}), 0);
    ASSERT_TRUE(db_.RenameProfile(1, L"Gaming"));

    db_.ResetDatabase(folder_.Wide(), kDatabaseName);
    ASSERT_EQ(LoadProfilesWithDefaults(db_, profiles), 3);
    EXPECT_EQ(profiles[0].profile, 1);
    EXPECT_EQ(Names(profiles),
              (std::vector<std::wstring>{L"Profile 1", L"Profile 2", L"Profile 3"}));
}

TEST(ProfileDisplayName, TranslatesOnlyTheOtherMainLanguagesDefaultPrefix) {
    struct Case {
        const wchar_t* stored;
        int lcid;
        const wchar_t* shown;
    };
    const Case cases[] = {
        {L"Profile 2", 2052, L"配置方案 2"},
        {L"配置方案 2", 1033, L"Profile 2"},
        {L"Profile", 2052, L"配置方案"},
        {L"Profiles of mine", 2052, L"配置方案s of mine"},  // a plain prefix test, as stored
        {L"配置方案 2", 2052, L"配置方案 2"},
        {L"Profile 2", 1033, L"Profile 2"},
        {L"Profile 2", 1049, L"Profile 2"},
        {L"配置方案 2", 1036, L"配置方案 2"},
        {L"My keys", 2052, L"My keys"},
        {L"My keys", 1033, L"My keys"},
        {L"Prof", 2052, L"Prof"},
        {L"profile 2", 2052, L"profile 2"},
        {L"", 2052, L""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ProfileDisplayName(c.stored, c.lcid), c.shown) << c.lcid;
    }
}

}  // namespace
}  // namespace keyloom::store_test
