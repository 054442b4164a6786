#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "platform/folders.h"
#include "platform/fs_path.h"
#include "platform/linux/user_folders_linux.h"
#include "text/utf_convert.h"

namespace keyloom {
namespace {

constexpr const char* kDataFolderName = "Ostrel X9 Driver Files";

std::string EnvOrEmpty(const char* name) {
    const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe)
    return value != nullptr ? std::string(value) : std::string();
}

// The value of XDG_DOCUMENTS_DIR in user-dirs.dirs: a double-quoted shell string that is
// either absolute or starts with $HOME. Empty when the file or the line is missing.
std::string DocumentsFromUserDirs(const std::string& home) {
    std::ifstream file(UserConfigFolder() + "/user-dirs.dirs");
    std::string line;
    constexpr std::string_view kKey = "XDG_DOCUMENTS_DIR";
    while (std::getline(file, line)) {
        std::size_t pos = line.find_first_not_of(" \t");
        if (pos == std::string::npos || line.compare(pos, kKey.size(), kKey) != 0) {
            continue;
        }
        pos = line.find_first_not_of(" \t", pos + kKey.size());
        if (pos == std::string::npos || line[pos] != '=') {
            continue;
        }
        pos = line.find('"', pos);
        if (pos == std::string::npos) {
            continue;
        }
        std::string value;
        bool closed = false;
        for (std::size_t i = pos + 1; i < line.size(); ++i) {
            if (line[i] == '\\' && i + 1 < line.size()) {
                value += line[++i];
            } else if (line[i] == '"') {
                closed = true;
                break;
            } else {
                value += line[i];
            }
        }
        if (!closed) {
            continue;
        }
        if (value.starts_with("$HOME")) {
            return home + value.substr(5);
        }
        if (value.starts_with("/")) {
            return value;
        }
    }
    return {};
}

std::wstring WithSeparator(std::string folder) {
    while (folder.size() > 1 && folder.back() == '/') {
        folder.pop_back();
    }
    if (folder.empty() || folder.back() != '/') {
        folder += '/';
    }
    return Utf8ToWide(folder);
}

}  // namespace

std::string UserHomeFolder() {
    std::string home = EnvOrEmpty("HOME");
    if (!home.empty()) {
        return home;
    }
    long size = sysconf(_SC_GETPW_R_SIZE_MAX);
    std::vector<char> buffer(size > 0 ? static_cast<std::size_t>(size) : 16384);
    passwd entry{};
    passwd* result = nullptr;
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &result) == 0 &&
        result != nullptr && result->pw_dir != nullptr && result->pw_dir[0] != '\0') {
        return result->pw_dir;
    }
    return "/tmp";
}

std::string UserConfigFolder() {
    std::string config_home = EnvOrEmpty("XDG_CONFIG_HOME");
    if (config_home.empty() || config_home.front() != '/') {
        config_home = UserHomeFolder() + "/.config";
    }
    return config_home;
}

std::wstring GetModuleFolder() {
    std::error_code error;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error || !exe.has_parent_path()) {
        return {};
    }
    return WithSeparator(exe.parent_path().native());
}

std::wstring GetDataFolder() {
    const std::string home = UserHomeFolder();
    std::string documents = DocumentsFromUserDirs(home);
    if (documents.empty()) {
        std::error_code error;
        documents =
            std::filesystem::is_directory(home + "/Documents", error) ? home + "/Documents" : home;
    }
    return JoinPath(WithSeparator(documents), Utf8ToWide(kDataFolderName)) + kPathSeparator;
}

}  // namespace keyloom
