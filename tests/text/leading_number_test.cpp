#include "text/leading_number.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

namespace keyloom {
namespace {

TEST(LeadingNumber, FollowsTheLeadingNumberRule) {
    const struct {
        const char* text;
        int expected;
    } cases[] = {
        {"42", 42},
        {"  7", 7},
        {"-13", -13},
        {"+5", 5},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {" - 3", 0},
        {"0x1F", 0},
        {"99999999999", INT_MAX},
        {"-99999999999", INT_MIN},
        {"2147483647", INT_MAX},
        {"-2147483648", INT_MIN},
        {"\t\n 8", 8},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ParseLeadingInt(std::string_view(c.text)), c.expected) << '"' << c.text << '"';
        const std::string narrow(c.text);
        EXPECT_EQ(ParseLeadingInt(std::wstring(narrow.begin(), narrow.end())), c.expected)
            << '"' << c.text << '"';
    }
}

}  // namespace
}  // namespace keyloom
