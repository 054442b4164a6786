#include "platform/key_names.h"

#include <gtest/gtest.h>

#include <set>

#include "text/utf_convert.h"

namespace keyloom {
namespace {

TEST(SystemKeyName, NamesKeysAsTheirCapsShowThem) {
    struct Case {
        unsigned vk;
        bool extended;
        std::wstring name;
    };
    const Case cases[] = {
        {'A', false, L"A"},         {'7', false, L"7"},      {186, false, L";"},
        {192, false, L"`"},         {220, false, L"\\"},     {112, false, L"F1"},
        {135, false, L"F24"},       {13, false, L"Return"},  {20, false, L"Caps Lock"},
        {37, true, L"Left"},        {37, false, L"KP Left"}, {104, false, L"KP 8"},
        {108, false, L"KP Enter"},  {46, true, L"Delete"},   {46, false, L"KP Delete"},
        {173, false, L"AudioMute"}, {0, false, L""},         {7, false, L""},
        {300, false, L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SystemKeyName(c.vk, c.extended), c.name) << "VK " << c.vk;
    }
}

TEST(SystemKeyName, DedicatedAndKeypadKeysDiffer) {
    for (unsigned vk : {33u, 34u, 35u, 36u, 37u, 38u, 39u, 40u, 45u, 46u}) {
        const std::wstring dedicated = SystemKeyName(vk, true);
        EXPECT_FALSE(dedicated.empty()) << vk;
        EXPECT_NE(dedicated, SystemKeyName(vk, false)) << vk;
    }
}

}  // namespace
}  // namespace keyloom
