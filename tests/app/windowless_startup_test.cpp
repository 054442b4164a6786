#include "app/windowless_startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "localization/load_text.h"
#include "platform/fs_path.h"
#include "tests/support/temp_folder.h"

namespace keyloom {
namespace {

using test_support::ReadBytes;
using test_support::TempFolder;

TEST(WindowlessStartup, SettlesAndStoresTheLanguage) {
    struct Case {
        const char* what;
        std::optional<std::string> stored;
        int lcid;
        std::string stored_after;
    };
    const Case cases[] = {
        {"first start", std::nullopt, 1033, "[Settings]\nLCID=1033\n"},
        {"French", "[Settings]\nLCID=1036\n", 1036, "[Settings]\nLCID=1036\n"},
        {"letters", "[Settings]\nLCID=abc\n", 1033, "[Settings]\nLCID=1033\n"},
        {"unknown language", "[Settings]\nLCID=1031\n", 1031, "[Settings]\nLCID=1031\n"},
    };
    for (const auto& c : cases) {
        TempFolder temp;
        const auto settings_file = temp.path() / "Varnel V21 Driver.ini";
        if (c.stored) {
            std::ofstream(settings_file, std::ios::binary) << *c.stored;
        }
        CurrentLcid = 2052;
        const auto result =
            RunWindowlessStartup(SettingsStore(settings_file), FromFsPath(temp.path()) + L"/data/");
        EXPECT_EQ(result.lcid, c.lcid) << c.what;
        EXPECT_EQ(CurrentLcid.load(), c.lcid) << c.what;
        EXPECT_TRUE(result.lcid_written) << c.what;
        EXPECT_EQ(ReadBytes(settings_file), c.stored_after) << c.what;
    }
}

TEST(WindowlessStartup, UnusableStoreGivesChineseAndWritesNothing) {
    TempFolder temp;
    const auto settings_file = temp.path() / "Varnel V21 Driver.ini";
    std::filesystem::create_directory(settings_file);
    const auto result =
        RunWindowlessStartup(SettingsStore(settings_file), FromFsPath(temp.path()) + L"/");
    EXPECT_EQ(result.stored_lcid, 2052);
    EXPECT_EQ(result.lcid, 2052);
    EXPECT_EQ(CurrentLcid.load(), 2052);
    EXPECT_FALSE(result.lcid_written);
    EXPECT_TRUE(std::filesystem::is_directory(settings_file));
}

TEST(WindowlessStartup, CreatesTheDatabaseFolderWithEveryParent) {
    TempFolder temp;
    const std::wstring data = FromFsPath(temp.path()) + L"/Документы/Ostrel X9 Driver Files/";
    const auto result = RunWindowlessStartup(SettingsStore(temp.path() / "s.ini"), data);
    EXPECT_EQ(result.database_folder, data + L"db/");
    EXPECT_TRUE(result.database_folder_ready);
    EXPECT_TRUE(std::filesystem::is_directory(ToFsPath(data + L"db")));
}

TEST(WindowlessStartup, UnwritableDataFolderIsReportedNotFatal) {
    TempFolder temp;
    std::ofstream(temp.path() / "blocked") << "a file, not a folder";
    const auto result = RunWindowlessStartup(SettingsStore(temp.path() / "s.ini"),
                                             FromFsPath(temp.path()) + L"/blocked/");
    EXPECT_FALSE(result.database_folder_ready);
    EXPECT_EQ(result.lcid, 1033);
}

}  // namespace
}  // namespace keyloom
