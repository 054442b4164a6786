#include "store/bound_statement.h"

#include <sqlite3.h>

#include <climits>
#include <utility>

#include "text/utf_convert.h"

namespace keyloom {

static_assert(kSqliteOk == SQLITE_OK && kSqliteRow == SQLITE_ROW);

BoundStatement::BoundStatement(SQLiteDB& database, const char* sql) : database_(database) {
    database_.Prepare(statement_, sql);
}

void BoundStatement::Reset(const char* sql) {
    database_.Prepare(statement_, sql);
    texts_.clear();
    next_index_ = 1;
}

BoundStatement& BoundStatement::Int(int value) {
    statement_.BindInt(next_index_++, value);
    return *this;
}

BoundStatement& BoundStatement::Text(const std::wstring& value) {
    return Utf8(WideToUtf8(value));
}

BoundStatement& BoundStatement::Utf8(std::string value) {
    const std::string& kept = texts_.emplace_back(std::move(value));
    // A negative length makes SQLite measure up to the terminator, which then reports a text
    // too long for the database instead of binding a wrapped length.
    const int length =
        kept.size() <= static_cast<std::size_t>(INT_MAX) ? static_cast<int>(kept.size()) : -1;
    statement_.BindText(next_index_++, kept.c_str(), length);
    return *this;
}

std::wstring BoundStatement::ColumnText(int column) const {
    return Utf8ToWide(statement_.GetColumnText(column));
}

}  // namespace keyloom
