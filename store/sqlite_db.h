#pragma once

// The only code that talks to SQLite. Failures come back as SQLite result codes or false;
// the layer itself answers 21 (misuse) when a connection or statement is missing.

#include <cstdint>
#include <string_view>

#include "text/utf_convert.h"  // WideToUtf8 / Utf8ToWide belong with this layer's callers

struct sqlite3;
struct sqlite3_stmt;

namespace keyloom {

inline constexpr int kSqliteMisuse = 21;

// The step-success rule of the table operations: OK, ROW and DONE.
bool IsStepSuccess(int result);

class SQLiteStatement;

class SQLiteDB {
public:
    using RowCallback = int (*)(void* context, int columns, char** values, char** names);

    SQLiteDB() = default;
    SQLiteDB(const SQLiteDB&) = delete;
    SQLiteDB& operator=(const SQLiteDB&) = delete;
    virtual ~SQLiteDB();

    bool Open(const char* path, std::string_view key, int flags);
    bool Close();
    bool IsOpen() const { return handle_ != nullptr; }
    int Execute(const char* sql, RowCallback callback = nullptr, void* context = nullptr);
    int Prepare(SQLiteStatement& statement, const char* sql, int length = -1);
    std::int64_t LastInsertRowId() const;

private:
    sqlite3* handle_ = nullptr;
};

class SQLiteStatement {
public:
    SQLiteStatement() = default;
    SQLiteStatement(const SQLiteStatement&) = delete;
    SQLiteStatement& operator=(const SQLiteStatement&) = delete;
    virtual ~SQLiteStatement();

    int BindInt(int index, int value);
    // The bytes are not copied: they must outlive the last Step.
    int BindText(int index, const char* utf8, int length);
    int Step();
    int GetColumnInt(int column) const;
    const char* GetColumnText(int column) const;

private:
    friend class SQLiteDB;
    sqlite3_stmt* handle_ = nullptr;
};

class SQLiteAutoTransaction {
public:
    explicit SQLiteAutoTransaction(SQLiteDB* database);
    SQLiteAutoTransaction(const SQLiteAutoTransaction&) = delete;
    SQLiteAutoTransaction& operator=(const SQLiteAutoTransaction&) = delete;
    virtual ~SQLiteAutoTransaction();

    bool Begin();
    bool End();
    bool IsActive() const { return active_; }

private:
    SQLiteDB* database_ = nullptr;
    bool active_ = false;
};

}  // namespace keyloom
