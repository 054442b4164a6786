#pragma once

// Every text of the interface, by text id, in the five languages.

#include <atomic>
#include <string>

namespace keyloom {

// The interface language as a Windows language id (2052, 1033, 1036, 1049, 1054). Any
// thread may read it; only start-up and the settings dialog write it.
inline std::atomic<int> CurrentLcid{2052};

// The text of `id` in the language of CurrentLcid; never fails.
std::wstring LoadText(int id);
// The text of `id` in the language `lcid` (unknown ids of languages fall back to English).
std::wstring LoadText(int id, int lcid);

}  // namespace keyloom
