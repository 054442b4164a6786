#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "store/config_database.h"
#include "tests/support/temp_folder.h"

namespace keyloom::test_support {

// A fresh database in its own temporary folder.
class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(folder_.path() / "db");
        ASSERT_TRUE(db_.OpenDatabase(folder_.Wide(), L"kb_data"));
    }

    TempFolder folder_;
    ConfigDatabase db_;
};

}  // namespace keyloom::test_support
