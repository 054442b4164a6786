#pragma once

// A fresh folder under the system's temporary folder for one test, removed with everything in
// it when the test ends.

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "platform/folders.h"
#include "platform/fs_path.h"

namespace keyloom::store_test {

class TempFolder {
public:
    // `leaf` may hold any characters the file system takes (non-ASCII names included).
    explicit TempFolder(const std::wstring& leaf = L"store") {
        static std::atomic<int> counter{0};
        const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
        root_ = std::filesystem::temp_directory_path() /
                ("keyloom_store_" + std::to_string(stamp) + "_" + std::to_string(counter++));
        std::filesystem::create_directories(root_);
        path_ = root_ / ToFsPath(leaf);
        std::filesystem::create_directories(path_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                     std::filesystem::perm_options::add, ignored);
        std::filesystem::remove_all(root_, ignored);
    }

    const std::filesystem::path& path() const { return path_; }
    // The folder as the program passes it: wide, ending in a separator.
    std::wstring Wide() const { return FromFsPath(path_) + kPathSeparator; }
    std::filesystem::path File(const std::string& relative) const { return path_ / relative; }

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

}  // namespace keyloom::store_test
