#pragma once

// Conversions between the wide strings the program and the framework hold (UTF-16 on
// Windows, UTF-32 elsewhere) and the UTF-8 that libraries and files speak.

#include <string>
#include <string_view>

namespace keyloom {

// Converts up to the first NUL character. Unpaired surrogates and values outside
// Unicode become U+FFFD, so the result is always valid UTF-8.
std::string WideToUtf8(std::wstring_view wide);

// Converts NUL-terminated UTF-8; a null pointer gives an empty string.
std::wstring Utf8ToWide(const char* utf8);
// Converts up to the first NUL byte. Malformed sequences become U+FFFD.
std::wstring Utf8ToWide(std::string_view utf8);

}  // namespace keyloom
