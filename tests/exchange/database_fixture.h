#pragma once

#include <gtest/gtest.h>

#include <filesystem>

#include "store/config_database.h"
#include "tests/exchange/temp_folder.h"

namespace keyloom::testing {

// A fresh database in its own temporary folder.
class DatabaseTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(folder_.path() / "db");
        ASSERT_TRUE(db_.OpenDatabase(folder_.wide(), L"kb_data"));
    }

    TempFolder folder_;
    ConfigDatabase db_;
};

}  // namespace keyloom::testing
