#include "store/sqlite_db.h"

#include <sqlite3.h>

#include <climits>
#include <cstring>

namespace keyloom {

static_assert(kSqliteMisuse == SQLITE_MISUSE);

bool IsStepSuccess(int result) {
    return result == SQLITE_OK || result == SQLITE_ROW || result == SQLITE_DONE;
}

SQLiteDB::~SQLiteDB() {
    if (handle_ == nullptr) {
        return;
    }
    sqlite3_interrupt(handle_);
    if (sqlite3_close(handle_) != SQLITE_OK) {
        // A statement is still alive somewhere. Hand the connection over to SQLite so it
        // is freed when the last statement is finalised, instead of leaking it.
        sqlite3_close_v2(handle_);
    }
    handle_ = nullptr;
}

bool SQLiteDB::Open(const char* path, std::string_view key, int flags) {
    if (handle_ != nullptr) {
        sqlite3_interrupt(handle_);
        if (sqlite3_close(handle_) != SQLITE_OK) {
            // Opening over it would lose the only pointer to a connection that is still in
            // use; keep it and report the failure.
            return false;
        }
        handle_ = nullptr;
    }
    if (path == nullptr) {
        return false;
    }
    if (!key.empty()) {
        // The system SQLite library is built without an encryption codec, so a file cannot be
        // keyed. Opening it anyway would let the caller believe its data is encrypted while it
        // is written in the clear (and would create the file); refuse before touching it.
        return false;
    }
    sqlite3* opened = nullptr;
    if (sqlite3_open_v2(path, &opened, flags, nullptr) != SQLITE_OK) {
        if (opened != nullptr) {
            sqlite3_close(opened);
        }
        return false;
    }
    handle_ = opened;
    sqlite3_exec(handle_, "PRAGMA synchronous = OFF; ", nullptr, nullptr, nullptr);
    return true;
}

bool SQLiteDB::Close() {
    if (handle_ == nullptr) {
        return true;
    }
    if (sqlite3_close(handle_) != SQLITE_OK) {
        return false;
    }
    handle_ = nullptr;
    return true;
}

int SQLiteDB::Execute(const char* sql, RowCallback callback, void* context) {
    if (handle_ == nullptr || sql == nullptr) {
        return SQLITE_MISUSE;
    }
    return sqlite3_exec(handle_, sql, callback, context, nullptr);
}

int SQLiteDB::Prepare(SQLiteStatement& statement, const char* sql, int length) {
    if (statement.handle_ != nullptr) {
        // sqlite3_finalize releases the statement whatever it returns (its result only
        // repeats the last step's error), so the handle must go in every case: keeping it
        // would leave a dangling pointer for the next step or finalise.
        sqlite3_finalize(statement.handle_);
        statement.handle_ = nullptr;
    }
    if (handle_ == nullptr || sql == nullptr) {
        return SQLITE_MISUSE;
    }
    if (length < 0) {
        const std::size_t measured = std::strlen(sql);
        // Including the terminator lets SQLite skip copying the text.
        length = measured < static_cast<std::size_t>(INT_MAX) ? static_cast<int>(measured) + 1 : -1;
    }
    return sqlite3_prepare_v2(handle_, sql, length, &statement.handle_, nullptr);
}

std::int64_t SQLiteDB::LastInsertRowId() const {
    if (handle_ == nullptr) {
        return -1;
    }
    return sqlite3_last_insert_rowid(handle_);
}

SQLiteStatement::~SQLiteStatement() {
    if (handle_ != nullptr) {
        sqlite3_finalize(handle_);
        handle_ = nullptr;
    }
}

int SQLiteStatement::BindInt(int index, int value) {
    if (handle_ == nullptr) {
        return SQLITE_MISUSE;
    }
    return sqlite3_bind_int(handle_, index, value);
}

int SQLiteStatement::BindText(int index, const char* utf8, int length) {
    if (handle_ == nullptr) {
        return SQLITE_MISUSE;
    }
    return sqlite3_bind_text(handle_, index, utf8, length, SQLITE_STATIC);
}

int SQLiteStatement::Step() {
    if (handle_ == nullptr) {
        return SQLITE_MISUSE;
    }
    return sqlite3_step(handle_);
}

int SQLiteStatement::GetColumnInt(int column) const {
    if (handle_ == nullptr) {
        return 0;
    }
    return sqlite3_column_int(handle_, column);
}

const char* SQLiteStatement::GetColumnText(int column) const {
    if (handle_ == nullptr) {
        return nullptr;
    }
    return reinterpret_cast<const char*>(sqlite3_column_text(handle_, column));
}

SQLiteAutoTransaction::SQLiteAutoTransaction(SQLiteDB* database) : database_(database) {
    if (database_ == nullptr) {
        return;
    }
    if (database_->IsOpen()) {
        database_->Execute("BEGIN");
    }
    active_ = true;
}

SQLiteAutoTransaction::~SQLiteAutoTransaction() {
    if (active_ && database_ != nullptr && database_->IsOpen()) {
        database_->Execute("END");
    }
    active_ = false;
}

bool SQLiteAutoTransaction::Begin() {
    if (database_ == nullptr || active_) {
        return false;
    }
    active_ = true;
    if (!database_->IsOpen()) {
        return false;
    }
    return database_->Execute("BEGIN") == SQLITE_OK;
}

bool SQLiteAutoTransaction::End() {
    if (database_ == nullptr) {
        return false;
    }
    active_ = false;
    if (!database_->IsOpen()) {
        return false;
    }
    return database_->Execute("END") == SQLITE_OK;
}

}  // namespace keyloom
