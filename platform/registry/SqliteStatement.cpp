#include "platform/registry/SqliteStatement.h"

#include <limits>

namespace registry {

StoreError::StoreError(int code, const std::string &message)
    : std::runtime_error(message), m_code(code)
{
}

namespace {

[[noreturn]] void fail(sqlite3 *db, int code) { throw StoreError(code, sqlite3_errmsg(db)); }

// The database takes lengths as an int: anything longer would arrive negative.
int checkedLength(std::size_t size)
{
    if (size > static_cast<std::size_t>(std::numeric_limits<int>::max()))
        throw StoreError(SQLITE_TOOBIG, "too long for the store");
    return static_cast<int>(size);
}

} // namespace

SqliteStatement::SqliteStatement(sqlite3 *db, std::string_view sql) : m_db(db)
{
    const int code =
        sqlite3_prepare_v2(db, sql.data(), static_cast<int>(sql.size()), &m_statement, nullptr);
    if (code != SQLITE_OK)
        fail(db, code);
}

SqliteStatement::~SqliteStatement() { sqlite3_finalize(m_statement); }

SqliteStatement &SqliteStatement::bind(int index, std::int64_t value)
{
    if (const int code = sqlite3_bind_int64(m_statement, index, value); code != SQLITE_OK)
        fail(m_db, code);
    return *this;
}

SqliteStatement &SqliteStatement::bind(int index, std::string_view text)
{
    const int code = sqlite3_bind_text(m_statement, index, text.data(), checkedLength(text.size()),
                                       SQLITE_TRANSIENT);
    if (code != SQLITE_OK)
        fail(m_db, code);
    return *this;
}

SqliteStatement &SqliteStatement::bindBlob(int index, const std::vector<std::uint8_t> &bytes)
{
    // An empty blob is bound as a zero-length blob, not as NULL.
    static const std::uint8_t nothing = 0;
    const int code = sqlite3_bind_blob(m_statement, index, bytes.empty() ? &nothing : bytes.data(),
                                       checkedLength(bytes.size()), SQLITE_TRANSIENT);
    if (code != SQLITE_OK)
        fail(m_db, code);
    return *this;
}

bool SqliteStatement::step()
{
    const int code = sqlite3_step(m_statement);
    if (code == SQLITE_ROW)
        return true;
    if (code == SQLITE_DONE)
        return false;
    fail(m_db, code);
}

void SqliteStatement::run()
{
    while (step()) {
    }
}

std::int64_t SqliteStatement::integer(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

std::string SqliteStatement::text(int column) const
{
    const auto *bytes = reinterpret_cast<const char *>(sqlite3_column_text(m_statement, column));
    return bytes == nullptr
               ? std::string()
               : std::string(bytes,
                             static_cast<std::size_t>(sqlite3_column_bytes(m_statement, column)));
}

std::vector<std::uint8_t> SqliteStatement::blob(int column) const
{
    const auto *bytes = static_cast<const std::uint8_t *>(sqlite3_column_blob(m_statement, column));
    const auto size = static_cast<std::size_t>(sqlite3_column_bytes(m_statement, column));
    return bytes == nullptr ? std::vector<std::uint8_t>()
                            : std::vector<std::uint8_t>(bytes, bytes + size);
}

void execute(sqlite3 *db, const char *sql)
{
    char *message = nullptr;
    const int code = sqlite3_exec(db, sql, nullptr, nullptr, &message);
    if (code != SQLITE_OK) {
        const std::string text = message != nullptr ? message : sqlite3_errstr(code);
        sqlite3_free(message);
        throw StoreError(code, text);
    }
}

} // namespace registry
