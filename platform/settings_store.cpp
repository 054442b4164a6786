#include "platform/settings_store.h"

#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "platform/atomic_file.h"
#include "platform/ini_file.h"

namespace keyloom {
namespace {

constexpr std::string_view kSection = "Settings";
constexpr std::string_view kLanguageKey = "LCID";

enum class FileState { kMissing, kRegular, kUnusable };

FileState StateOf(const std::filesystem::path& file) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        return FileState::kMissing;
    }
    if (error || status.type() != std::filesystem::file_type::regular) {
        return FileState::kUnusable;
    }
    return FileState::kRegular;
}

// The whole file, or nothing when it cannot be read or is too large to be a settings file
// (rewriting a part of it would lose the rest).
std::optional<std::string> ReadWhole(const std::filesystem::path& file) {
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error || size > IniFile::kMaxFileBytes) {
        return std::nullopt;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (in.bad() || static_cast<std::uintmax_t>(in.gcount()) != size) {
        return std::nullopt;
    }
    return bytes;
}

std::string_view TrimBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool EqualAsciiNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// `content` with `key` of `section` set to `value`, every other line kept as it was. The
// first section of that name is the one read, so it is the one changed.
std::string WithValue(const std::string& content, std::string_view section, std::string_view key,
                      std::string_view value) {
    const std::string newline = content.find("\r\n") != std::string::npos ? "\r\n" : "\n";
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < content.size();) {
        const std::size_t end = content.find('\n', start);
        const std::size_t next = end == std::string::npos ? content.size() : end + 1;
        lines.push_back(content.substr(start, next - start));
        start = next;
    }

    const auto terminator_of = [](const std::string& line) {
        if (line.ends_with("\r\n")) {
            return std::string("\r\n");
        }
        return line.ends_with('\n') ? std::string("\n") : std::string();
    };
    const std::string entry = std::string(key) + "=" + std::string(value);

    std::optional<std::size_t> header;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string_view text = TrimBlanks(lines[i]);
        if (i == 0 && text.starts_with("\xEF\xBB\xBF")) {
            text = TrimBlanks(text.substr(3));
        }
        if (text.starts_with('[')) {
            if (header) {
                break;  // past the end of the section
            }
            std::string_view name = text.substr(1);
            name = TrimBlanks(name.substr(0, name.find(']')));
            if (EqualAsciiNoCase(name, section)) {
                header = i;
            }
            continue;
        }
        if (!header || text.starts_with(';')) {
            continue;
        }
        const std::size_t equals = text.find('=');
        if (equals != std::string_view::npos &&
            EqualAsciiNoCase(TrimBlanks(text.substr(0, equals)), key)) {
            lines[i] = entry + terminator_of(lines[i]);
            std::string result;
            for (const auto& line : lines) {
                result += line;
            }
            return result;
        }
    }

    std::string result;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        result += lines[i];
        if (header && i == *header) {
            if (terminator_of(lines[i]).empty()) {
                result += newline;
            }
            result += entry + newline;
        }
    }
    if (!header) {
        if (!result.empty() && !result.ends_with('\n')) {
            result += newline;
        }
        result += "[" + std::string(section) + "]" + newline + entry + newline;
    }
    return result;
}

}  // namespace

SettingsStore::SettingsStore(std::filesystem::path file) : file_(std::move(file)) {}

SettingsStore SettingsStore::Default() {
    return SettingsStore(DefaultPath());
}

int SettingsStore::ReadLanguage() const {
    switch (StateOf(file_)) {
        case FileState::kMissing: {
            // A first start: the store is created empty and holds no language yet.
            std::error_code error;
            if (file_.has_parent_path()) {
                std::filesystem::create_directories(file_.parent_path(), error);
            }
            std::ofstream created(file_, std::ios::binary | std::ios::app);
            return created && StateOf(file_) == FileState::kRegular ? 0 : kUnusableStoreLcid;
        }
        case FileState::kUnusable:
            return kUnusableStoreLcid;
        case FileState::kRegular:
            break;
    }
    const std::optional<std::string> content = ReadWhole(file_);
    if (!content) {
        return kUnusableStoreLcid;
    }
    const std::wstring section(kSection.begin(), kSection.end());
    const std::wstring key(kLanguageKey.begin(), kLanguageKey.end());
    return IniFile::Parse(*content).GetInt(section, key, 0);
}

bool SettingsStore::WriteLanguage(int lcid) const {
    if (StateOf(file_) != FileState::kRegular) {
        return false;
    }
    const std::optional<std::string> content = ReadWhole(file_);
    if (!content) {
        return false;
    }
    return ReplaceFileContent(file_,
                              WithValue(*content, kSection, kLanguageKey, std::to_string(lcid)));
}

int ReadLanguageSetting() {
    return SettingsStore::Default().ReadLanguage();
}

void WriteLanguageSetting(int lcid) {
    // Like the registry write it stands for: nothing to report when the store cannot be used.
    static_cast<void>(SettingsStore::Default().WriteLanguage(lcid));
}

}  // namespace keyloom
