#pragma once

// A configuration database opened in a fresh data folder, and raw queries for checking what
// the operations left in the file.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "store/config_database.h"
#include "tests/support/temp_folder.h"

namespace keyloom::store_test {

using test_support::ReadBytes;
using test_support::TempFolder;
using test_support::WriteBytes;

inline constexpr wchar_t kDatabaseName[] = L"kb_data";

// Column 0 of the first row of `sql`, or `missing` when the query gives no row.
inline int QueryInt(SQLiteDB& db, const char* sql, int missing = -1) {
    SQLiteStatement statement;
    db.Prepare(statement, sql);
    return statement.Step() == 100 ? statement.GetColumnInt(0) : missing;
}

class StoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(folder_.path() / "db");
        ASSERT_TRUE(db_.OpenDatabase(folder_.Wide(), kDatabaseName));
    }

    std::filesystem::path DatabaseFile() const { return folder_.File("db/kb_data_data_v5.db"); }
    std::filesystem::path BackupFile() const { return folder_.File("db/data_bak.db"); }

    TempFolder folder_;
    ConfigDatabase db_;
};

}  // namespace keyloom::store_test
