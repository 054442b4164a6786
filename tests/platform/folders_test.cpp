#include "platform/folders.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/fs_path.h"
#include "text/utf_convert.h"

namespace keyloom {
namespace {

// Sets an environment variable for one test and puts the old value back.
class ScopedEnv {
public:
    ScopedEnv(const char* name, const std::optional<std::string>& value) : name_(name) {
        if (const char* old = std::getenv(name)) {
            old_ = old;
        }
        if (value) {
            setenv(name, value->c_str(), 1);
        } else {
            unsetenv(name);
        }
    }
    ~ScopedEnv() {
        if (old_) {
            setenv(name_, old_->c_str(), 1);
        } else {
            unsetenv(name_);
        }
    }
    ScopedEnv(const ScopedEnv&) = delete;
    ScopedEnv& operator=(const ScopedEnv&) = delete;

private:
    const char* name_;
    std::optional<std::string> old_;
};

class FoldersTest : public ::testing::Test {
protected:
    void SetUp() override {
        root_ = std::filesystem::temp_directory_path() /
                ("keyloom_folders_" +
                 std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(root_);
        std::filesystem::create_directories(root_);
    }
    void TearDown() override { std::filesystem::remove_all(root_); }
    std::wstring Root() const { return FromFsPath(root_) + kPathSeparator; }
    std::filesystem::path root_;
};

TEST_F(FoldersTest, CreateFolderPathMakesEveryMissingLevel) {
    const std::wstring deep = Root() + L"a/配置/Профиль/ไทย";
    EXPECT_TRUE(CreateFolderPath(deep));
    EXPECT_TRUE(std::filesystem::is_directory(root_ / "a" / "配置" / "Профиль" / "ไทย"));
    EXPECT_TRUE(CreateFolderPath(deep)) << "an existing folder is success";
    EXPECT_TRUE(CreateFolderPath(deep + L"/")) << "a trailing separator names the same folder";
}

TEST_F(FoldersTest, CreateFolderPathFailsWhereAFileIsInTheWay) {
    std::ofstream(root_ / "file") << "x";
    EXPECT_FALSE(CreateFolderPath(Root() + L"file"));
    EXPECT_FALSE(CreateFolderPath(Root() + L"file/sub"));
    EXPECT_FALSE(CreateFolderPath(L""));
}

TEST(Folders, JoinPathNormalisesTheRelativePart) {
    struct Case {
        std::wstring folder;
        std::wstring relative;
        std::wstring expected;
    };
    const Case cases[] = {
        {L"/opt/k/", L"config.ini", L"/opt/k/config.ini"},
        {L"/opt/k/", L"db\\kb_data_data_v5.db", L"/opt/k/db/kb_data_data_v5.db"},
        {L"/opt/k/", L"images/icon\\x.png", L"/opt/k/images/icon/x.png"},
        {L"/opt/k/", L"\\device_kb.png", L"/opt/k/device_kb.png"},
        {L"/opt/k", L"db", L"/opt/k/db"},
        {L"/opt/k/", L"a\\\\b//c", L"/opt/k/a/b/c"},
        {L"/opt/k/", L"", L"/opt/k/"},
        {L"/домой/", L"配置\\x", L"/домой/配置/x"},
        {L"", L"images\\a.png", L"images/a.png"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(JoinPath(c.folder, c.relative), c.expected)
            << WideToUtf8(c.folder) << " + " << WideToUtf8(c.relative);
    }
}

TEST(Folders, ModuleFolderIsTheTestProgramsFolder) {
    const std::wstring folder = GetModuleFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EQ(folder.back(), kPathSeparator);
    EXPECT_TRUE(std::filesystem::exists(ToFsPath(folder + L"platform_core_tests")));
}

TEST_F(FoldersTest, DataFolderFollowsTheUsersDocumentsSetting) {
    const std::string home = root_.string() + "/home";
    std::filesystem::create_directories(home + "/.config");
    ScopedEnv home_env("HOME", home);
    ScopedEnv config_env("XDG_CONFIG_HOME", std::nullopt);
    const std::wstring whome = Utf8ToWide(home);

    // No user-dirs.dirs and no Documents folder: the home folder itself.
    EXPECT_EQ(GetDataFolder(), whome + L"/Ostrel X9 Driver Files/");

    std::filesystem::create_directories(home + "/Documents");
    EXPECT_EQ(GetDataFolder(), whome + L"/Documents/Ostrel X9 Driver Files/");

    std::ofstream(home + "/.config/user-dirs.dirs") << "# written by xdg-user-dirs-update\n"
                                                    << "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                                                    << "XDG_DOCUMENTS_DIR=\"$HOME/Документы\"\n";
    EXPECT_EQ(GetDataFolder(), whome + L"/Документы/Ostrel X9 Driver Files/");

    const std::string other_config = root_.string() + "/cfg";
    std::filesystem::create_directories(other_config);
    std::ofstream(other_config + "/user-dirs.dirs") << "XDG_DOCUMENTS_DIR=\"/srv/my docs/\"\n";
    ScopedEnv custom_config("XDG_CONFIG_HOME", other_config);
    EXPECT_EQ(GetDataFolder(), L"/srv/my docs/Ostrel X9 Driver Files/");
}

}  // namespace
}  // namespace keyloom
