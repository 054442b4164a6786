#include "platform/ini_file.h"

#include <algorithm>
#include <cstdint>
#include <fstream>
#include <system_error>

#include "text/leading_number.h"
#include "text/utf_convert.h"

namespace keyloom {
namespace {

bool IsBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\r' || c == L'\v' || c == L'\f';
}

std::wstring_view Trim(std::wstring_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

wchar_t FoldCase(wchar_t c) {
    if (c >= L'A' && c <= L'Z') {
        return static_cast<wchar_t>(c - L'A' + L'a');
    }
    // The C locale folds ASCII only; names in the other scripts the program ships in
    // (Latin-1, Greek, Cyrillic) fold here so lookups do not depend on the user's locale.
    if ((c >= 0xC0 && c <= 0xDE && c != 0xD7) || (c >= 0x391 && c <= 0x3AB && c != 0x3A2) ||
        (c >= 0x410 && c <= 0x42F)) {
        return static_cast<wchar_t>(c + 0x20);
    }
    if (c >= 0x400 && c <= 0x40F) {
        return static_cast<wchar_t>(c + 0x50);
    }
    return c;
}

bool EqualNoCase(std::wstring_view a, std::wstring_view b) {
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(),
                      [](wchar_t x, wchar_t y) { return FoldCase(x) == FoldCase(y); });
}

}  // namespace

IniFile IniFile::Load(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        return IniFile{};
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return IniFile{};
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    std::string bytes(error ? kMaxFileBytes : std::min<std::uintmax_t>(size, kMaxFileBytes), '\0');
    file.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (file.bad()) {
        return IniFile{};
    }
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return Parse(bytes);
}

IniFile IniFile::Parse(std::string_view utf8_text) {
    IniFile ini;
    ini.loaded_ = true;
    if (utf8_text.size() > kMaxFileBytes) {
        utf8_text = utf8_text.substr(0, kMaxFileBytes);
    }
    if (utf8_text.starts_with("\xEF\xBB\xBF")) {
        utf8_text.remove_prefix(3);
    }

    Section* current = nullptr;
    while (!utf8_text.empty()) {
        const std::size_t end = utf8_text.find('\n');
        const std::string_view raw = utf8_text.substr(0, end);
        utf8_text.remove_prefix(end == std::string_view::npos ? utf8_text.size() : end + 1);

        // A NUL byte ends the line's text, as it ends the string the line is read into.
        const std::wstring wide = Utf8ToWide(raw);
        const std::wstring_view line = Trim(wide);
        if (line.empty() || line.front() == L';') {
            continue;
        }
        if (line.front() == L'[') {
            std::wstring_view name = line.substr(1);
            name = name.substr(0, name.find(L']'));
            ini.sections_.push_back(Section{std::wstring(Trim(name)), {}});
            current = &ini.sections_.back();
            continue;
        }
        const std::size_t equals = line.find(L'=');
        if (current == nullptr || equals == std::wstring_view::npos) {
            continue;
        }
        const std::wstring_view key = Trim(line.substr(0, equals));
        if (key.empty()) {
            continue;
        }
        std::wstring_view value = Trim(line.substr(equals + 1));
        // One pair of matching quotes around the whole value is not part of it.
        if (value.size() >= 2 && (value.front() == L'"' || value.front() == L'\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        value = value.substr(0, kMaxValueChars);
        current->entries.emplace_back(std::wstring(key), std::wstring(value));
    }
    return ini;
}

bool IniFile::IsLoaded() const {
    return loaded_;
}

const std::wstring* IniFile::Find(std::wstring_view section, std::wstring_view key) const {
    section = Trim(section);
    key = Trim(key);
    const auto found = std::find_if(sections_.begin(), sections_.end(),
                                    [&](const Section& s) { return EqualNoCase(s.name, section); });
    if (found == sections_.end()) {
        return nullptr;
    }
    for (const auto& [name, value] : found->entries) {
        if (EqualNoCase(name, key)) {
            return &value;
        }
    }
    return nullptr;
}

std::wstring IniFile::GetString(std::wstring_view section, std::wstring_view key,
                                std::wstring_view fallback) const {
    const std::wstring* value = Find(section, key);
    if (value == nullptr) {
        return std::wstring(fallback.substr(0, kMaxValueChars));
    }
    return *value;
}

int IniFile::GetInt(std::wstring_view section, std::wstring_view key, int fallback) const {
    const std::wstring* value = Find(section, key);
    if (value == nullptr || value->empty()) {
        return fallback;
    }
    return ParseLeadingInt(*value);
}

}  // namespace keyloom
