#pragma once
#include <sqlite3.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace registry {

// A failure of the database underneath, carrying SQLite's result code.
class StoreError : public std::runtime_error {
public:
    StoreError(int code, const std::string &message);
    int code() const { return m_code; }

private:
    int m_code;
};

// One prepared statement. Failures throw StoreError.
class SqliteStatement {
public:
    SqliteStatement(sqlite3 *db, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement &) = delete;
    SqliteStatement &operator=(const SqliteStatement &) = delete;

    SqliteStatement &bind(int index, std::int64_t value);
    SqliteStatement &bind(int index, std::string_view text);
    SqliteStatement &bindBlob(int index, const std::vector<std::uint8_t> &bytes);

    // Steps once; true while a row is available.
    bool step();
    // Runs a statement that returns no rows.
    void run();

    std::int64_t integer(int column) const;
    std::string text(int column) const;
    std::vector<std::uint8_t> blob(int column) const;

private:
    sqlite3 *m_db;
    sqlite3_stmt *m_statement = nullptr;
};

// Runs one or more statements that return nothing.
void execute(sqlite3 *db, const char *sql);

} // namespace registry
