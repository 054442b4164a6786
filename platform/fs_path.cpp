#include "platform/fs_path.h"

#include "text/utf_convert.h"

namespace keyloom {

std::filesystem::path ToFsPath(std::wstring_view path) {
#ifdef _WIN32
    return std::filesystem::path(std::wstring(path));
#else
    return std::filesystem::path(WideToUtf8(path));
#endif
}

std::wstring FromFsPath(const std::filesystem::path& path) {
#ifdef _WIN32
    return path.native();
#else
    return Utf8ToWide(path.native());
#endif
}

}  // namespace keyloom
