#pragma once

// Reading INI files the way the Windows private-profile functions do: section and key are
// compared case-insensitively with surrounding blanks trimmed on both sides, values are
// trimmed, UTF-8 with or without BOM, LF or CRLF line ends.
//
// Further rules: lines whose first non-blank character is ';' are comments; a line without
// '=' inside a section is ignored; one pair of matching quotes (" or ') around a whole value
// is removed; when a section or a key appears twice, the first one wins (a key missing from
// the first section of a name is not looked for in a later one); text before the first
// section belongs to none. Files are read up to 1 MiB; the rest is ignored.

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace keyloom {

class IniFile {
public:
    // Bytes read from a file at most; a configuration file is a few hundred bytes.
    static constexpr std::size_t kMaxFileBytes = 1024 * 1024;
    // Characters a value is cut to, like a 260-character buffer with its terminating zero.
    static constexpr std::size_t kMaxValueChars = 259;

    // A file that is missing or unreadable gives an empty IniFile (IsLoaded() false).
    static IniFile Load(const std::filesystem::path& path);
    static IniFile Parse(std::string_view utf8_text);

    bool IsLoaded() const;
    // At most 259 characters, like a 260-character buffer; `fallback` when the key is missing.
    std::wstring GetString(std::wstring_view section, std::wstring_view key,
                           std::wstring_view fallback = L"") const;
    // Leading blanks, optional sign, decimal digits up to the first non-digit;
    // `fallback` when the key is missing or its value is empty, 0 when the value holds no
    // number. Values beyond the range of int are clamped to it.
    int GetInt(std::wstring_view section, std::wstring_view key, int fallback) const;

private:
    struct Section {
        std::wstring name;
        std::vector<std::pair<std::wstring, std::wstring>> entries;
    };

    const std::wstring* Find(std::wstring_view section, std::wstring_view key) const;

    bool loaded_ = false;
    std::vector<Section> sections_;
};

}  // namespace keyloom
