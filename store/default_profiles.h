#pragma once

// The three profiles a fresh or factory-reset store starts with, and how stored profile
// names are shown in the interface language.

#include <string>
#include <vector>

#include "store/config_database.h"
#include "store/records.h"

namespace keyloom {

// Lists the profiles; when there are none, first creates "<text 110> 1" (with the default
// settings rows), "<text 110> 2" and "<text 110> 3" in the current language and makes
// profile 1 current. Returns the number of profiles listed.
int LoadProfilesWithDefaults(ConfigDatabase& database, std::vector<ProfileInfo>& profiles);

// A default name made under the other main language is shown with this language's prefix
// ("Profile 2" reads "配置方案 2" under 2052 and back under 1033); other names as stored.
std::wstring ProfileDisplayName(const std::wstring& name, int lcid);

}  // namespace keyloom
