#pragma once

// The part of a language change that needs no window.

#include <functional>

namespace keyloom {

// Does nothing and returns false when `lcid` is already CurrentLcid. Otherwise sets
// CurrentLcid, passes the id to `store_setting` (the program gives WriteLanguageSetting) and
// returns true: the caller's windows must then set their texts again.
bool ChangeLanguage(int lcid, const std::function<void(int)>& store_setting);

}  // namespace keyloom
