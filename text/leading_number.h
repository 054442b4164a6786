#pragma once

// The number at the start of a text, read the way C's atoi reads it: leading white space, an
// optional sign, then decimal digits up to the first other character; 0 when there are no
// digits. Values beyond the 32-bit range saturate instead of wrapping.

#include <string_view>

namespace keyloom {

int ParseLeadingInt(std::string_view text);
int ParseLeadingInt(std::wstring_view text);

}  // namespace keyloom
