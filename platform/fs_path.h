#pragma once

// The program's wide path strings and std::filesystem paths. On Linux the file system holds
// UTF-8 bytes, so the conversion goes through text/utf_convert.h rather than the locale.

#include <filesystem>
#include <string>
#include <string_view>

namespace keyloom {

std::filesystem::path ToFsPath(std::wstring_view path);
std::wstring FromFsPath(const std::filesystem::path& path);

}  // namespace keyloom
