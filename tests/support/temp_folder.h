#pragma once

// Throw-away files for tests: a fresh folder under the system's temporary folder, removed with
// everything in it when the object goes, and whole-file reads and writes.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/folders.h"
#include "platform/fs_path.h"

namespace keyloom::test_support {

class TempFolder {
public:
    // `leaf` may hold any characters the file system takes (non-ASCII names included).
    explicit TempFolder(const std::wstring& leaf = L"test") {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        root_ = std::filesystem::temp_directory_path() /
                ("keyloom_" + std::to_string(stamp) + "_" + std::to_string(counter++));
        std::filesystem::create_directories(root_);
        path_ = root_ / ToFsPath(leaf);
        std::filesystem::create_directories(path_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        // A test may have taken the write permission away to provoke a failure.
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(root_, ignored);
    }

    const std::filesystem::path& path() const { return path_; }
    // The folder as the program passes it: wide, ending in a separator.
    std::wstring Wide() const { return FromFsPath(path_) + kPathSeparator; }
    std::filesystem::path File(const std::string& relative) const { return path_ / relative; }
    // Writes `bytes` to a file in the folder and gives its path as the program passes paths.
    std::wstring Write(const std::string& name, const std::string& bytes) const;

private:
    std::filesystem::path root_;
    std::filesystem::path path_;
};

inline std::string ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteBytes(const std::filesystem::path& file, const std::string& bytes) {
    std::ofstream out(file, std::ios::binary);
    out << bytes;
}

inline std::wstring TempFolder::Write(const std::string& name, const std::string& bytes) const {
    WriteBytes(File(name), bytes);
    return FromFsPath(File(name));
}

}  // namespace keyloom::test_support
