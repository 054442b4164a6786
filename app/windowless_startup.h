#pragma once

// The start-up steps that need no window: settling the interface language and making the
// folder the database lives in. The program runs them once, after taking the single-instance
// lock and before anything reads a text.

#include <string>

#include "platform/settings_store.h"

namespace keyloom {

// The language a first start (or an unreadable stored value) settles on.
inline constexpr int kFirstStartLcid = 1033;

struct WindowlessStartupResult {
    int stored_lcid = 0;  // what the settings store gave (0: none, 2052: store unusable)
    int lcid = 0;         // the language now in CurrentLcid
    bool lcid_written = false;
    std::wstring database_folder;  // <data folder>db<separator>
    bool database_folder_ready = false;
};

// Sets CurrentLcid from `settings` (0 becomes 1033) and stores it back, then creates the "db"
// folder below `data_folder` (which ends with a separator). Failures are reported in the
// result, never thrown: the program carries on without them.
WindowlessStartupResult RunWindowlessStartup(const SettingsStore& settings,
                                             const std::wstring& data_folder);
// The same with the user's settings store and data folder.
WindowlessStartupResult RunWindowlessStartup();

}  // namespace keyloom
