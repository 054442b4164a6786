// The udev rule installer: it writes the configured ids into the rule, lower case as sysfs
// has them, and refuses ids it cannot use without writing anything.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace keyloom {
namespace {

namespace fs = std::filesystem;

class UdevRuleTest : public ::testing::Test {
protected:
    UdevRuleTest() {
        dir = fs::temp_directory_path() /
              ("keyloom-udev-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
    }
    ~UdevRuleTest() override { fs::remove_all(dir); }

    // Runs the installer into dir/rules (udevadm is left alone when absent or not root).
    int Install(const std::string& ini) {
        { std::ofstream(dir / "config.ini") << ini; }
        const std::string script = std::string(KEYLOOM_UDEV_RULE_DIR) + "/install-udev-rule.sh";
        const std::string command = "'" + script + "' --config '" + (dir / "config.ini").string() +
                                    "' --print > '" + (dir / "out").string() + "' 2>/dev/null";
        return std::system(command.c_str());
    }

    std::string Output() const {
        std::ifstream in(dir / "out");
        std::stringstream text;
        text << in.rdbuf();
        return text.str();
    }

    fs::path dir;
};

TEST_F(UdevRuleTest, RuleCarriesTheConfiguredIds) {
    const std::pair<const char*, const char*> cases[] = {
        {"[TEXT]\nVID=3412\nPID=7A21\n", "ATTRS{idVendor}==\"3412\", ATTRS{idProduct}==\"7a21\""},
        {"[text]\r\n vid = 0xABCD \r\nPID=00fF\r\n",
         "ATTRS{idVendor}==\"abcd\", ATTRS{idProduct}==\"00ff\""},
    };
    for (const auto& [ini, expected] : cases) {
        ASSERT_EQ(Install(ini), 0) << ini;
        const std::string rule = Output();
        EXPECT_NE(rule.find(expected), std::string::npos) << rule;
        EXPECT_NE(rule.find("SUBSYSTEM==\"hidraw\""), std::string::npos);
        EXPECT_NE(rule.find("TAG+=\"uaccess\""), std::string::npos);
    }
}

TEST_F(UdevRuleTest, UnusableIdsAreRefused) {
    for (const char* ini : {"[TEXT]\nVID=3412\nPID=12\n", "[TEXT]\nVID=34G2\nPID=7A21\n",
                            "[OTHER]\nVID=3412\nPID=7A21\n"}) {
        EXPECT_NE(Install(ini), 0) << ini;
        EXPECT_EQ(Output().find("ATTRS"), std::string::npos) << ini;
    }
}

}  // namespace
}  // namespace keyloom
