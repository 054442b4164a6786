#include "text/leading_number.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace keyloom {
namespace {

template <typename Char>
int ParseLeading(std::basic_string_view<Char> text) {
    size_t i = 0;
    while (i < text.size() && (text[i] == ' ' || (text[i] >= '\t' && text[i] <= '\r'))) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    std::int64_t magnitude = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        magnitude = std::min<std::int64_t>(magnitude * 10 + (text[i] - '0'),
                                           static_cast<std::int64_t>(INT_MAX) + 1);
    }
    const std::int64_t number = negative ? -magnitude : magnitude;
    return static_cast<int>(std::clamp<std::int64_t>(number, INT_MIN, INT_MAX));
}

}  // namespace

int ParseLeadingInt(std::string_view text) {
    return ParseLeading(text);
}

int ParseLeadingInt(std::wstring_view text) {
    return ParseLeading(text);
}

}  // namespace keyloom
