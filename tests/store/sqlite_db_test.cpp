#include "store/sqlite_db.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace keyloom {
namespace {

constexpr int kReadWriteCreateFullMutex = 0x10006;
constexpr int kRow = 100;
constexpr int kDone = 101;

class SQLiteDBTest : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = folder_.File("test.db").string();
        ASSERT_TRUE(db_.Open(path_.c_str(), "", kReadWriteCreateFullMutex));
        ASSERT_EQ(db_.Execute("CREATE TABLE t(id INTEGER PRIMARY KEY AUTOINCREMENT, v TEXT)"), 0);
    }

    // Reads one integer through a second connection, which sees only committed rows.
    int CommittedRows() {
        SQLiteDB other;
        EXPECT_TRUE(other.Open(path_.c_str(), "", kReadWriteCreateFullMutex));
        SQLiteStatement count;
        other.Prepare(count, "SELECT count(*) FROM t");
        EXPECT_EQ(count.Step(), kRow);
        return count.GetColumnInt(0);
    }

    test_support::TempFolder folder_;
    std::string path_;
    SQLiteDB db_;
};

TEST(SQLiteDBRules, StepSuccessIsOkRowOrDone) {
    const std::pair<int, bool> cases[] = {{0, true},  {100, true}, {101, true}, {1, false},
                                          {5, false}, {19, false}, {21, false}, {26, false}};
    for (const auto& [result, success] : cases) {
        EXPECT_EQ(IsStepSuccess(result), success) << result;
    }
}

TEST(SQLiteDBRules, MissingConnectionOrStatementAnswersMisuse) {
    SQLiteDB closed;
    SQLiteStatement statement;
    EXPECT_FALSE(closed.IsOpen());
    EXPECT_EQ(closed.Execute("SELECT 1"), kSqliteMisuse);
    EXPECT_EQ(closed.Prepare(statement, "SELECT 1"), kSqliteMisuse);
    EXPECT_EQ(closed.LastInsertRowId(), -1);
    EXPECT_TRUE(closed.Close());

    // A failed prepare turns every later call of the operation into misuse or empty reads.
    EXPECT_EQ(statement.BindInt(1, 5), kSqliteMisuse);
    EXPECT_EQ(statement.BindText(1, "x", 1), kSqliteMisuse);
    EXPECT_EQ(statement.Step(), kSqliteMisuse);
    EXPECT_EQ(statement.GetColumnInt(0), 0);
    EXPECT_EQ(statement.GetColumnText(0), nullptr);
    EXPECT_EQ(Utf8ToWide(statement.GetColumnText(0)), L"");
}

TEST_F(SQLiteDBTest, ExecuteWithoutTextIsMisuseAndRunsCallbacks) {
    EXPECT_EQ(db_.Execute(nullptr), kSqliteMisuse);
    std::vector<std::string> seen;
    const auto collect = [](void* context, int columns, char** values, char**) {
        auto* out = static_cast<std::vector<std::string>*>(context);
        for (int i = 0; i < columns; ++i) {
            out->emplace_back(values[i] ? values[i] : "NULL");
        }
        return 0;
    };
    EXPECT_EQ(db_.Execute("SELECT 1, 'two'; SELECT NULL", collect, &seen), 0);
    EXPECT_EQ(seen, (std::vector<std::string>{"1", "two", "NULL"}));
}

TEST_F(SQLiteDBTest, OpenTurnsSynchronousWritesOff) {
    SQLiteStatement pragma;
    ASSERT_EQ(db_.Prepare(pragma, "PRAGMA synchronous"), 0);
    ASSERT_EQ(pragma.Step(), kRow);
    EXPECT_EQ(pragma.GetColumnInt(0), 0);
}

TEST_F(SQLiteDBTest, PrepareLengthLimitsTheText) {
    struct Case {
        int length;
        int step;
        int value;
    };
    // "SELECT 12345": whole text, its first eight bytes ("SELECT 1"), or nothing at all
    // (SQLite compiles no statement, so stepping is misuse).
    const Case cases[] = {
        {-1, kRow, 12345}, {12, kRow, 12345}, {8, kRow, 1}, {0, kSqliteMisuse, 0}};
    for (const Case& c : cases) {
        SQLiteStatement statement;
        EXPECT_EQ(db_.Prepare(statement, "SELECT 12345", c.length), 0) << c.length;
        EXPECT_EQ(statement.Step(), c.step) << c.length;
        EXPECT_EQ(statement.GetColumnInt(0), c.value) << c.length;
    }
}

TEST_F(SQLiteDBTest, PreparingAgainFinalisesTheEarlierStatement) {
    {
        SQLiteStatement statement;
        ASSERT_EQ(db_.Prepare(statement, "SELECT 1"), 0);
        ASSERT_EQ(statement.Step(), kRow);
        ASSERT_EQ(db_.Prepare(statement, "SELECT 2"), 0);
        ASSERT_EQ(statement.Step(), kRow);
        EXPECT_EQ(statement.GetColumnInt(0), 2);
        // A live statement keeps the connection from closing.
        EXPECT_FALSE(db_.Close());
        EXPECT_TRUE(db_.IsOpen());
    }
    // Had the first statement leaked, closing would still fail here.
    EXPECT_TRUE(db_.Close());
    EXPECT_FALSE(db_.IsOpen());
}

TEST_F(SQLiteDBTest, StatementWhoseStepFailedIsReleasedWhenRepreparingFails) {
    SQLiteStatement statement;
    ASSERT_EQ(db_.Prepare(statement, "SELECT abs(-9223372036854775807 - 1)"), 0);
    EXPECT_FALSE(IsStepSuccess(statement.Step()));  // integer overflow: finalise reports it
    SQLiteDB closed;
    EXPECT_EQ(closed.Prepare(statement, "SELECT 1"), kSqliteMisuse);
    // The old statement is gone, not dangling: this and the destructor must not touch it.
    EXPECT_EQ(statement.Step(), kSqliteMisuse);
    EXPECT_EQ(statement.GetColumnText(0), nullptr);
}

TEST_F(SQLiteDBTest, BoundTextRoundTripsAndNullReadsAsNull) {
    const std::string text = WideToUtf8(L"配置方案 Профиль ✓");
    SQLiteStatement insert;
    ASSERT_EQ(db_.Prepare(insert, "INSERT INTO t(v) VALUES (?), (NULL)"), 0);
    ASSERT_EQ(insert.BindText(1, text.c_str(), static_cast<int>(text.size())), 0);
    ASSERT_EQ(insert.Step(), kDone);
    EXPECT_EQ(db_.LastInsertRowId(), 2);

    SQLiteStatement select;
    ASSERT_EQ(db_.Prepare(select, "SELECT v FROM t ORDER BY id"), 0);
    ASSERT_EQ(select.Step(), kRow);
    EXPECT_EQ(Utf8ToWide(select.GetColumnText(0)), L"配置方案 Профиль ✓");
    ASSERT_EQ(select.Step(), kRow);
    EXPECT_EQ(select.GetColumnText(0), nullptr);
    EXPECT_EQ(Utf8ToWide(select.GetColumnText(0)), L"");
    EXPECT_EQ(select.Step(), kDone);
}

TEST_F(SQLiteDBTest, OpenRefusesNullPathKeysAndMissingFolders) {
    SQLiteDB db;
    EXPECT_FALSE(db.Open(nullptr, "", kReadWriteCreateFullMutex));
    EXPECT_FALSE(db.IsOpen());

    // No codec is available to apply a key: the file is neither opened nor created.
    const auto keyed = folder_.File("keyed.db");
    EXPECT_FALSE(db.Open(keyed.string().c_str(), "secret", kReadWriteCreateFullMutex));
    EXPECT_FALSE(db.IsOpen());
    EXPECT_FALSE(std::filesystem::exists(keyed));

    const auto nowhere = folder_.File("missing/folder/x.db");
    EXPECT_FALSE(db.Open(nowhere.string().c_str(), "", kReadWriteCreateFullMutex));
    EXPECT_FALSE(db.IsOpen());

    // Without the create flag a missing file is an error, not a new database.
    const auto absent = folder_.File("absent.db");
    EXPECT_FALSE(db.Open(absent.string().c_str(), "", 0x10002));
    EXPECT_FALSE(std::filesystem::exists(absent));
}

TEST_F(SQLiteDBTest, SecondOpenSwitchesToTheNewFile) {
    ASSERT_EQ(db_.Execute("INSERT INTO t(v) VALUES ('first')"), 0);
    const auto second = folder_.File("second.db");
    ASSERT_TRUE(db_.Open(second.string().c_str(), "", kReadWriteCreateFullMutex));
    EXPECT_NE(db_.Execute("SELECT * FROM t"), 0);  // the new file has no table t
    EXPECT_EQ(CommittedRows(), 1);                 // the first file was closed intact
}

TEST_F(SQLiteDBTest, SecondOpenKeepsAConnectionThatIsStillInUse) {
    SQLiteStatement live;
    ASSERT_EQ(db_.Prepare(live, "SELECT 7"), 0);
    const auto second = folder_.File("second.db");
    EXPECT_FALSE(db_.Open(second.string().c_str(), "", kReadWriteCreateFullMutex));
    EXPECT_TRUE(db_.IsOpen());
    ASSERT_EQ(live.Step(), kRow);
    EXPECT_EQ(live.GetColumnInt(0), 7);
}

TEST_F(SQLiteDBTest, TransactionCommitsOnEndAndOnDestruction) {
    {
        SQLiteAutoTransaction transaction(&db_);
        EXPECT_TRUE(transaction.IsActive());
        EXPECT_FALSE(transaction.Begin());  // already begun by the constructor
        ASSERT_EQ(db_.Execute("INSERT INTO t(v) VALUES ('a')"), 0);
        EXPECT_EQ(CommittedRows(), 0);
        EXPECT_TRUE(transaction.End());
        EXPECT_FALSE(transaction.IsActive());
        EXPECT_EQ(CommittedRows(), 1);

        EXPECT_TRUE(transaction.Begin());
        ASSERT_EQ(db_.Execute("INSERT INTO t(v) VALUES ('b')"), 0);
    }
    EXPECT_EQ(CommittedRows(), 2);
}

TEST_F(SQLiteDBTest, EndRunsEvenWhenTheTransactionIsNotActive) {
    SQLiteAutoTransaction transaction(&db_);
    ASSERT_TRUE(transaction.End());
    ASSERT_EQ(db_.Execute("BEGIN"), 0);
    ASSERT_EQ(db_.Execute("INSERT INTO t(v) VALUES ('c')"), 0);
    EXPECT_TRUE(transaction.End());
    EXPECT_EQ(CommittedRows(), 1);
}

TEST(SQLiteAutoTransactionRules, WithoutAnOpenDatabaseNothingRuns) {
    SQLiteDB closed;
    SQLiteAutoTransaction on_closed(&closed);
    EXPECT_TRUE(on_closed.IsActive());
    EXPECT_FALSE(on_closed.Begin());
    EXPECT_FALSE(on_closed.End());
    EXPECT_FALSE(on_closed.IsActive());
    EXPECT_FALSE(on_closed.Begin());  // becomes active, but nothing could begin
    EXPECT_TRUE(on_closed.IsActive());

    SQLiteAutoTransaction on_nothing(nullptr);
    EXPECT_FALSE(on_nothing.IsActive());
    EXPECT_FALSE(on_nothing.Begin());
    EXPECT_FALSE(on_nothing.End());
}

}  // namespace
}  // namespace keyloom
