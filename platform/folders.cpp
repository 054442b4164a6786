#include "platform/folders.h"

#include <filesystem>
#include <system_error>

#include "platform/fs_path.h"

namespace keyloom {
namespace {

bool IsSeparator(wchar_t c) {
    return c == L'\\' || c == L'/';
}

}  // namespace

bool CreateFolderPath(const std::wstring& path) {
    if (path.empty()) {
        return false;
    }
    const std::filesystem::path folder = ToFsPath(path);
    std::error_code error;
    if (std::filesystem::is_directory(folder, error)) {
        return true;
    }
    std::filesystem::create_directories(folder, error);
    return std::filesystem::is_directory(folder, error);
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& relative) {
    std::wstring joined = folder;
    if (!joined.empty() && !IsSeparator(joined.back())) {
        joined += kPathSeparator;
    }
    std::size_t start = 0;
    // Skin names such as "\device_kb.png" start with a separator that means "in this folder".
    while (start < relative.size() && IsSeparator(relative[start]) && !joined.empty()) {
        ++start;
    }
    for (std::size_t i = start; i < relative.size(); ++i) {
        const wchar_t c = relative[i];
        if (IsSeparator(c)) {
            if (!joined.empty() && joined.back() == kPathSeparator) {
                continue;  // "a\\\\b" and "a//b" name the same file as "a/b"
            }
            joined += kPathSeparator;
        } else {
            joined += c;
        }
    }
    return joined;
}

}  // namespace keyloom
