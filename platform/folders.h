#pragma once

// The program's folders. Folder results end with the platform's path separator.

#include <string>

namespace keyloom {

#ifdef _WIN32
inline constexpr wchar_t kPathSeparator = L'\\';
#else
inline constexpr wchar_t kPathSeparator = L'/';
#endif

// The folder of the running program file (config.ini and images/ lie there).
std::wstring GetModuleFolder();
// <Documents>/Ostrel X9 Driver Files/ — Documents from the user's folder settings.
std::wstring GetDataFolder();
// Creates the folder and any missing parents; true when the folder exists afterwards.
bool CreateFolderPath(const std::wstring& path);
// `folder` (ending in a separator) joined with a relative name written with either
// separator ("db\\kb_data_data_v5.db", "images/x.png"): the one place names are normalised.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& relative);

}  // namespace keyloom
