#pragma once

// Reading INI files the way the Windows private-profile functions do: section and key are
// compared case-insensitively with surrounding blanks trimmed on both sides, values are
// trimmed, UTF-8 with or without BOM, LF or CRLF line ends.

#include <filesystem>
#include <string>
#include <string_view>

namespace keyloom {

class IniFile {
public:
    // A file that is missing or unreadable gives an empty IniFile (IsLoaded() false).
    static IniFile Load(const std::filesystem::path& path);
    static IniFile Parse(std::string_view utf8_text);

    bool IsLoaded() const;
    // At most 259 characters, like a 260-character buffer; `fallback` when the key is missing.
    std::wstring GetString(std::wstring_view section, std::wstring_view key,
                           std::wstring_view fallback = L"") const;
    // Leading blanks, optional sign, decimal digits up to the first non-digit;
    // `fallback` when the key is missing, 0 when the value holds no number.
    int GetInt(std::wstring_view section, std::wstring_view key, int fallback) const;
};

}  // namespace keyloom
