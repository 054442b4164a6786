#include "platform/settings_store.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/atomic_file.h"
#include "tests/support/temp_folder.h"

namespace keyloom {
namespace {

using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::WriteBytes;

TEST(SettingsStore, ReadsTheLanguageByTheRegistryRules) {
    struct Case {
        const char* what;
        std::optional<std::string> content;  // nullopt: no file
        int expected;
    };
    const Case cases[] = {
        {"no file yet", std::nullopt, 0},
        {"empty file", "", 0},
        {"no value", "[Settings]\nOTHER=5\n", 0},
        {"stored French", "[Settings]\nLCID=1036\n", 1036},
        {"unknown language kept", "[Settings]\nLCID=1031\n", 1031},
        {"letters", "[Settings]\nLCID=abc\n", 0},
        {"number then text", "[settings]\r\n lcid = 1049x\r\n", 1049},
        {"value in another section", "[Other]\nLCID=1036\n", 0},
    };
    for (const auto& c : cases) {
        TempFolder temp;
        const auto file = temp.path() / "Varnel V21 Driver.ini";
        if (c.content) {
            WriteBytes(file, *c.content);
        }
        EXPECT_EQ(SettingsStore(file).ReadLanguage(), c.expected) << c.what;
        EXPECT_TRUE(std::filesystem::is_regular_file(file)) << c.what;
    }
}

TEST(SettingsStore, FirstStartCreatesTheStoreAndKeepsTheLanguage) {
    TempFolder temp;
    const auto file = temp.path() / "fresh" / ".config" / "Varnel V21 Driver.ini";
    const SettingsStore store(file);
    EXPECT_FALSE(store.WriteLanguage(1033)) << "no store yet: nothing is written";
    EXPECT_FALSE(std::filesystem::exists(file));

    EXPECT_EQ(store.ReadLanguage(), 0);
    ASSERT_TRUE(std::filesystem::is_regular_file(file));
    EXPECT_TRUE(store.WriteLanguage(1033));
    EXPECT_EQ(ReadBytes(file), "[Settings]\nLCID=1033\n");
    EXPECT_EQ(store.ReadLanguage(), 1033);
    EXPECT_TRUE(store.WriteLanguage(-5));
    EXPECT_EQ(store.ReadLanguage(), -5);
}

TEST(SettingsStore, UnusableStoreGives2052AndIsLeftAlone) {
    TempFolder temp;
    // A folder where the file should be: it exists but cannot be read.
    const auto folder_in_the_way = temp.path() / "Varnel V21 Driver.ini";
    std::filesystem::create_directory(folder_in_the_way);
    EXPECT_EQ(SettingsStore(folder_in_the_way).ReadLanguage(), 2052);
    EXPECT_FALSE(SettingsStore(folder_in_the_way).WriteLanguage(1033));
    EXPECT_TRUE(std::filesystem::is_directory(folder_in_the_way));

    // A file where its folder should be: the store cannot be created.
    WriteBytes(temp.path() / "not_a_folder", "x");
    EXPECT_EQ(SettingsStore(temp.path() / "not_a_folder" / "s.ini").ReadLanguage(), 2052);
}

TEST(SettingsStore, UnreadableFileGives2052) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "running as root: file permissions do not keep root out";
    }
    TempFolder temp;
    const auto file = temp.path() / "s.ini";
    WriteBytes(file, "[Settings]\nLCID=1036\n");
    std::filesystem::permissions(file, std::filesystem::perms::none);
    EXPECT_EQ(SettingsStore(file).ReadLanguage(), 2052);
    EXPECT_FALSE(SettingsStore(file).WriteLanguage(1033));
}

TEST(SettingsStore, WriteChangesOnlyTheLanguageLine) {
    struct Case {
        const char* what;
        std::string before;
        std::string after;
    };
    const Case cases[] = {
        {"replaces", "; mine\n[Settings]\nA=1\nLCID=2052\nB=2\n[X]\nLCID=7\n",
         "; mine\n[Settings]\nA=1\nLCID=1049\nB=2\n[X]\nLCID=7\n"},
        {"adds to the section", "[X]\nK=1\n[settings]\nA=1\n",
         "[X]\nK=1\n[settings]\nLCID=1049\nA=1\n"},
        {"adds the section", "[X]\nK=1", "[X]\nK=1\n[Settings]\nLCID=1049\n"},
        {"keeps CRLF and BOM", "\xEF\xBB\xBF[Settings]\r\nLCID = 1\r\n",
         "\xEF\xBB\xBF[Settings]\r\nLCID=1049\r\n"},
        {"skips comments", "[Settings]\n;LCID=3\n", "[Settings]\nLCID=1049\n;LCID=3\n"},
        {"header as last line", "[Settings]", "[Settings]\nLCID=1049\n"},
    };
    for (const auto& c : cases) {
        TempFolder temp;
        const auto file = temp.path() / "s.ini";
        WriteBytes(file, c.before);
        EXPECT_TRUE(SettingsStore(file).WriteLanguage(1049)) << c.what;
        EXPECT_EQ(ReadBytes(file), c.after) << c.what;
        EXPECT_EQ(SettingsStore(file).ReadLanguage(), 1049) << c.what;
    }
}

TEST(SettingsStore, WriteFollowsALinkAndKeepsPermissions) {
    TempFolder temp;
    const auto real = temp.path() / "real.ini";
    const auto link = temp.path() / "link.ini";
    WriteBytes(real, "[Settings]\nLCID=1\n");
    std::filesystem::permissions(real, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write |
                                           std::filesystem::perms::group_read);
    std::filesystem::create_symlink(real, link);
    EXPECT_TRUE(SettingsStore(link).WriteLanguage(1054));
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(ReadBytes(real), "[Settings]\nLCID=1054\n");
    EXPECT_EQ(std::filesystem::status(real).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write |
                  std::filesystem::perms::group_read);
    // No temporary file is left beside it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(temp.path()),
                            std::filesystem::directory_iterator()),
              2);
}

TEST(SettingsStore, FailedReplaceKeepsTheOldFile) {
    TempFolder temp;
    const auto file = temp.path() / "s.ini";
    WriteBytes(file, "[Settings]\nLCID=1036\n");
    EXPECT_FALSE(ReplaceFileContent(temp.path() / "missing" / "s.ini", "x"));
    EXPECT_FALSE(ReplaceFileContent(temp.path(), "x")) << "a folder is not replaced";
    if (::geteuid() != 0) {
        std::filesystem::permissions(
            temp.path(), std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
        EXPECT_FALSE(SettingsStore(file).WriteLanguage(1033));
        std::filesystem::permissions(temp.path(), std::filesystem::perms::owner_all);
    }
    EXPECT_EQ(ReadBytes(file), "[Settings]\nLCID=1036\n");
}

TEST(SettingsStore, OversizedFileIsNeitherReadNorCut) {
    TempFolder temp;
    const auto file = temp.path() / "s.ini";
    const std::string big = "[Settings]\nLCID=1036\n" + std::string(2 * 1024 * 1024, ';') + "\n";
    WriteBytes(file, big);
    EXPECT_EQ(SettingsStore(file).ReadLanguage(), 2052);
    EXPECT_FALSE(SettingsStore(file).WriteLanguage(1033));
    EXPECT_EQ(std::filesystem::file_size(file), big.size());
}

}  // namespace
}  // namespace keyloom
