#pragma once

// One statement of a table operation: prepared on construction, parameters bound in index
// order, finalised on destruction. Text parameters are bound without copying, so the
// statement keeps their UTF-8 bytes alive until it is finalised.

#include <deque>
#include <string>

#include "store/sqlite_db.h"

namespace keyloom {

inline constexpr int kSqliteOk = 0;
inline constexpr int kSqliteRow = 100;

class BoundStatement {
public:
    // Nothing compiled yet: Reset supplies the SQL.
    explicit BoundStatement(SQLiteDB& database) : database_(database) {}
    BoundStatement(SQLiteDB& database, const char* sql);
    BoundStatement(const BoundStatement&) = delete;
    BoundStatement& operator=(const BoundStatement&) = delete;

    // Finalises the current statement and compiles `sql` in its place; binding restarts at 1.
    void Reset(const char* sql);

    BoundStatement& Int(int value);
    BoundStatement& Text(const std::wstring& value);
    BoundStatement& Utf8(std::string value);

    int Step() { return statement_.Step(); }
    // Steps once; true when the step-success rule holds.
    bool Run() { return IsStepSuccess(Step()); }
    // Steps once; true when a row is ready to be read.
    bool NextRow() { return Step() == kSqliteRow; }
    int ColumnInt(int column) const { return statement_.GetColumnInt(column); }
    // A NULL column reads as an empty string.
    std::wstring ColumnText(int column) const;

private:
    SQLiteDB& database_;
    // Declared before the statement so the bytes outlive it.
    std::deque<std::string> texts_;
    SQLiteStatement statement_;
    int next_index_ = 1;
};

}  // namespace keyloom
