#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

#include "text/utf_convert.h"

namespace keyloom::testing {

// A fresh folder under the system's temporary folder, removed with the object.
class TempFolder {
public:
    TempFolder() {
        std::random_device random;
        path_ = std::filesystem::temp_directory_path() /
                ("keyloom-exchange-" + std::to_string(random()) + "-" + std::to_string(random()));
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    // The folder as the program passes folders around: wide, ending with a separator.
    std::wstring wide() const { return Utf8ToWide(path_.string() + "/"); }

    std::wstring Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(path_ / name, std::ios::binary) << bytes;
        return Utf8ToWide((path_ / name).string());
    }

private:
    std::filesystem::path path_;
};

inline std::string ReadAll(const std::wstring& path) {
    std::ifstream in(std::filesystem::path(WideToUtf8(path)), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace keyloom::testing
