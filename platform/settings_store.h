#pragma once

// The per-user settings store that holds the interface language. On Windows this is the
// registry key HKEY_CURRENT_USER\SOFTWARE\Varnel V21 Driver; on Linux it is the INI file
// "$XDG_CONFIG_HOME/Varnel V21 Driver.ini" (XDG_CONFIG_HOME defaulting to ~/.config) with
// the value LCID, decimal text, in section [Settings]:
//
//   [Settings]
//   LCID=1033
//
// The file stands for the key: a missing file is a missing key, a file that exists but cannot
// be read is a key that cannot be opened.

#include <filesystem>

namespace keyloom {

class SettingsStore {
public:
    // The language a store that cannot be used gives.
    static constexpr int kUnusableStoreLcid = 2052;

    explicit SettingsStore(std::filesystem::path file);
    // The store at the user's default location.
    static SettingsStore Default();
    static std::filesystem::path DefaultPath();

    const std::filesystem::path& Path() const { return file_; }

    // The stored language: 0 when none is stored or the value is not a number (the file is
    // created when it is missing); 2052 when the file cannot be created or read.
    int ReadLanguage() const;
    // Stores `lcid` as decimal text, keeping every other line of the file. Does nothing when
    // the file cannot be read or written; a failed write leaves the old file as it was.
    // True when the value was stored.
    bool WriteLanguage(int lcid) const;

private:
    std::filesystem::path file_;
};

// The same on the default store.
int ReadLanguageSetting();
void WriteLanguageSetting(int lcid);

}  // namespace keyloom
