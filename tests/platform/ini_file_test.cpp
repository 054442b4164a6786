#include "platform/ini_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace keyloom {
namespace {

struct LookupCase {
    const char* name;
    std::string text;
    std::wstring section;
    std::wstring key;
    std::wstring expected;  // L"<missing>" when the fallback must come back
};

TEST(IniFile, LookupRules) {
    const std::wstring missing = L"<missing>";
    const LookupCase cases[] = {
        {"plain", "[TEXT]\nVID=3412\n", L"TEXT", L"VID", L"3412"},
        {"caller key with trailing blank", "[TEXT]\nVID=3412\n", L"TEXT", L"VID ", L"3412"},
        {"file key with blanks", "[TEXT]\n  VID \t= 3412 \n", L"TEXT", L"VID", L"3412"},
        {"section blanks both sides", "[ TEXT ]\nA=1\n", L" text ", L"a", L"1"},
        {"case-insensitive", "[Text]\nLan_Chinese=1\n", L"TEXT", L"LAN_CHINESE ", L"1"},
        {"non-ASCII case", "[ПРОФИЛЬ]\nИМЯ=x\n", L"профиль", L"имя", L"x"},
        {"BOM", "\xEF\xBB\xBF[TEXT]\nVID=1\n", L"TEXT", L"VID", L"1"},
        {"CRLF", "[TEXT]\r\nVID=3412\r\nPID=7A21\r\n", L"TEXT", L"PID", L"7A21"},
        {"no final newline", "[TEXT]\nPID=7A21", L"TEXT", L"PID", L"7A21"},
        {"comment line", "[TEXT]\n;VID=1\n  ; VID=2\nVID=3\n", L"TEXT", L"VID", L"3"},
        {"semicolon inside value is text", "[T]\nA=1;2\n", L"T", L"A", L"1;2"},
        {"first key wins", "[TEXT]\nVID=1\nVID=2\n", L"TEXT", L"VID", L"1"},
        {"first section wins", "[A]\nK=1\n[a]\nK=2\nM=3\n", L"A", L"M", missing},
        {"equals in value", "[T]\nURL=a=b\n", L"T", L"URL", L"a=b"},
        {"empty value", "[T]\nK=\n", L"T", L"K", L""},
        {"quoted value", "[T]\nK= \" a b \" \n", L"T", L"K", L" a b "},
        {"single quotes", "[T]\nK='x'\n", L"T", L"K", L"x"},
        {"unmatched quotes kept", "[T]\nK=\"x'\n", L"T", L"K", L"\"x'"},
        {"lone quote kept", "[T]\nK=\"\n", L"T", L"K", L"\""},
        {"missing section", "[TEXT]\nVID=1\n", L"OTHER", L"VID", missing},
        {"missing key", "[TEXT]\nVID=1\n", L"TEXT", L"PID", missing},
        {"key before any section", "VID=1\n[TEXT]\n", L"TEXT", L"VID", missing},
        {"line without equals", "[T]\nnoise\nK=1\n", L"T", L"noise", missing},
        {"unclosed section header", "[T\nK=1\n", L"T", L"K", L"1"},
        {"UTF-8 value", "[T]\n2052=键盘驱动\n", L"T", L"2052", L"键盘驱动"},
        {"malformed UTF-8 becomes U+FFFD", "[T]\nK=a\xFF\n", L"T", L"K", L"a\uFFFD"},
    };
    for (const auto& c : cases) {
        const IniFile ini = IniFile::Parse(c.text);
        EXPECT_TRUE(ini.IsLoaded()) << c.name;
        EXPECT_EQ(ini.GetString(c.section, c.key, missing), c.expected) << c.name;
    }
}

TEST(IniFile, ValuesAreCutTo259Characters) {
    const std::wstring long_fallback(300, L'f');
    const IniFile ini = IniFile::Parse("[T]\nK=" + std::string(400, 'x') + "\n");
    EXPECT_EQ(ini.GetString(L"T", L"K"), std::wstring(259, L'x'));
    EXPECT_EQ(ini.GetString(L"T", L"none", long_fallback).size(), 259u);
}

TEST(IniFile, GetIntReadsLikeThePrivateProfileFunction) {
    struct Case {
        const char* value;
        int expected;
    };
    const Case cases[] = {
        {"100", 100},
        {"  42", 42},
        {"-7", -7},
        {"+8", 8},
        {"12abc", 12},
        {"abc", 0},
        {"0x10", 0},
        {"- 5", 0},
        {"3.9", 3},
        {"", -1},
        {"99999999999", 2147483647},
        {"-99999999999", -2147483647 - 1},
    };
    for (const auto& c : cases) {
        const IniFile ini = IniFile::Parse(std::string("[T]\nK=") + c.value + "\n");
        EXPECT_EQ(ini.GetInt(L"T", L"K", -1), c.expected) << '"' << c.value << '"';
    }
    EXPECT_EQ(IniFile::Parse("[T]\n").GetInt(L"T", L"K", 55), 55);
}

TEST(IniFile, HostileInputDoesNotBreakParsing) {
    std::string garbage;
    for (int i = 0; i < 4096; ++i) {
        garbage += static_cast<char>((i * 7919) & 0xFF);
    }
    const IniFile noisy = IniFile::Parse(garbage + "\n[T]\nK=ok\n");
    EXPECT_EQ(noisy.GetString(L"T", L"K"), L"ok");

    // A NUL byte ends its line but not the file.
    const IniFile with_nul = IniFile::Parse(std::string("[T]\nA=x\0y\nB=z\n", 14));
    EXPECT_EQ(with_nul.GetString(L"T", L"A"), L"x");
    EXPECT_EQ(with_nul.GetString(L"T", L"B"), L"z");
}

class IniFileOnDisk : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = std::filesystem::temp_directory_path() /
               ("keyloom_ini_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir_);
    }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::filesystem::path dir_;
};

TEST_F(IniFileOnDisk, MissingFileOrFolderIsNotLoaded) {
    EXPECT_FALSE(IniFile::Load(dir_ / "absent.ini").IsLoaded());
    EXPECT_FALSE(IniFile::Load(dir_).IsLoaded());
    EXPECT_EQ(IniFile::Load(dir_ / "absent.ini").GetInt(L"TEXT", L"VID", 9), 9);
}

TEST_F(IniFileOnDisk, HugeFileIsReadOnlyUpToTheCap) {
    const auto path = dir_ / "huge.ini";
    {
        std::ofstream out(path, std::ios::binary);
        out << "[T]\nFIRST=1\n";
        out << std::string(IniFile::kMaxFileBytes, 'z');
        out << "\nLATE=2\n";
    }
    const IniFile ini = IniFile::Load(path);
    ASSERT_TRUE(ini.IsLoaded());
    EXPECT_EQ(ini.GetInt(L"T", L"FIRST", 0), 1);
    EXPECT_EQ(ini.GetString(L"T", L"LATE", L"cut"), L"cut");
}

TEST(IniFile, ShippedConfigurationReads) {
    const IniFile ini = IniFile::Load(KEYLOOM_TEST_DATA_DIR "/../../res/config.ini");
    ASSERT_TRUE(ini.IsLoaded());
    EXPECT_EQ(ini.GetString(L"TEXT", L"VID "), L"3412");
    EXPECT_EQ(ini.GetString(L"TEXT", L"PID "), L"7A21");
    EXPECT_EQ(ini.GetInt(L"TEXT", L"LAN_CHINESE ", 0), 1);
    EXPECT_EQ(ini.GetString(L"TEXT", L"2052"), L"Keyloom 键盘驱动");
}

}  // namespace
}  // namespace keyloom
