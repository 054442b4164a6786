#include "text/utf_convert.h"

#include <gtest/gtest.h>

namespace keyloom {
namespace {

TEST(UtfConvert, RoundTripsEveryPlane) {
    const std::wstring samples[] = {L"",
                                    L"Profile 1",
                                    L"配置方案 2",
                                    L"Русский язык",
                                    L"ภาษาไทย(Thai)",
                                    L"Fran\u00e7ais",
                                    L"\U0001F3B9 keys"};
    for (const auto& s : samples) {
        EXPECT_EQ(Utf8ToWide(WideToUtf8(s)), s);
    }
    EXPECT_EQ(WideToUtf8(L"\u00e9\u4e2d\U0001F3B9"), "\xC3\xA9\xE4\xB8\xAD\xF0\x9F\x8E\xB9");
}

TEST(UtfConvert, StopsAtFirstNul) {
    EXPECT_EQ(WideToUtf8(std::wstring(L"ab\0cd", 5)), "ab");
    EXPECT_EQ(Utf8ToWide(std::string_view("ab\0cd", 5)), L"ab");
}

TEST(UtfConvert, NullPointerGivesEmpty) {
    EXPECT_EQ(Utf8ToWide(static_cast<const char*>(nullptr)), L"");
}

TEST(UtfConvert, MalformedUtf8BecomesReplacementCharacters) {
    struct Case {
        const char* bytes;
        std::wstring expected;
    };
    const Case cases[] = {
        {"a\xFF"
         "b",
         L"a\uFFFDb"},              // invalid lead byte
        {"a\xE4\xB8", L"a\uFFFD"},  // truncated at the end
        {"\xE4\xB8"
         "z",
         L"\uFFFDz"},                     // truncated before an ASCII byte
        {"\xC0\xAF", L"\uFFFD"},          // overlong slash
        {"\xED\xA0\x80", L"\uFFFD"},      // encoded surrogate
        {"\xF4\x90\x80\x80", L"\uFFFD"},  // above U+10FFFF
    };
    for (const auto& c : cases) {
        EXPECT_EQ(Utf8ToWide(c.bytes), c.expected) << c.bytes;
    }
}

TEST(UtfConvert, InvalidWideValuesBecomeReplacementCharacters) {
    std::wstring bad;
    bad.push_back(static_cast<wchar_t>(0xD800));
    bad.push_back(L'x');
    EXPECT_EQ(WideToUtf8(bad), "\xEF\xBF\xBDx");
}

}  // namespace
}  // namespace keyloom
