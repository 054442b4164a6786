#include "store/default_profiles.h"

#include <string_view>

#include "localization/load_text.h"

namespace keyloom {
namespace {

constexpr int kProfileTextId = 110;
constexpr int kLcidChinese = 2052;
constexpr int kLcidEnglish = 1033;

ProfileInfo NamedProfile(const std::wstring& prefix, int number) {
    ProfileInfo info;
    info.name = prefix + L" " + std::to_wstring(number);
    return info;
}

}  // namespace

int LoadProfilesWithDefaults(ConfigDatabase& database, std::vector<ProfileInfo>& profiles) {
    if (database.ListProfiles(profiles) > 0) {
        return static_cast<int>(profiles.size());
    }
    const std::wstring prefix = LoadText(kProfileTextId);
    // The id counters are empty here, so this becomes profile 1, the profile the settings,
    // lighting and music rows are filed under.
    database.AddProfile(NamedProfile(prefix, 1));
    database.InsertDefaultConfig();
    database.AddProfile(NamedProfile(prefix, 2));
    database.AddProfile(NamedProfile(prefix, 3));
    database.SetCurrentProfile(1);
    return database.ListProfiles(profiles);
}

std::wstring ProfileDisplayName(const std::wstring& name, int lcid) {
    std::wstring_view foreign_prefix;
    if (lcid == kLcidChinese) {
        foreign_prefix = L"Profile";
    } else if (lcid == kLcidEnglish) {
        foreign_prefix = L"配置方案";
    } else {
        return name;
    }
    if (!std::wstring_view(name).starts_with(foreign_prefix)) {
        return name;
    }
    return LoadText(kProfileTextId, lcid) + name.substr(foreign_prefix.size());
}

}  // namespace keyloom
