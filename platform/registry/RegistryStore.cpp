#include "platform/registry/RegistryStore.h"

#include "platform/registry/NameFolding.h"
#include "platform/registry/SqliteStatement.h"

#include <sqlite3.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace registry {
namespace {

constexpr int LayoutVersion = 1;
constexpr int ApplicationId = 0x45435247; // marks the file as a registry store
// How long a call waits for other processes' transactions. A slow disk under load can hold
// one commit for seconds, and a setting lost to impatience is worse than a pause.
constexpr int BusyTimeoutMs = 30000;

constexpr const char *CreateLayout = R"sql(
CREATE TABLE registry_keys(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    parent INTEGER REFERENCES registry_keys(id),
    name TEXT NOT NULL,
    folded TEXT NOT NULL);
CREATE UNIQUE INDEX registry_keys_by_name ON registry_keys(parent, folded);
CREATE TABLE registry_values(
    id INTEGER PRIMARY KEY AUTOINCREMENT,
    key INTEGER NOT NULL REFERENCES registry_keys(id),
    name TEXT NOT NULL,
    folded TEXT NOT NULL,
    type INTEGER NOT NULL,
    data BLOB NOT NULL,
    UNIQUE(key, folded));
INSERT INTO registry_keys(id, parent, name, folded) VALUES
    (1, NULL, 'HKEY_CLASSES_ROOT', 'HKEY_CLASSES_ROOT'),
    (2, NULL, 'HKEY_CURRENT_USER', 'HKEY_CURRENT_USER'),
    (3, NULL, 'HKEY_LOCAL_MACHINE', 'HKEY_LOCAL_MACHINE'),
    (4, NULL, 'HKEY_USERS', 'HKEY_USERS'),
    (5, NULL, 'HKEY_CURRENT_CONFIG', 'HKEY_CURRENT_CONFIG');
PRAGMA application_id = 1162039879;
PRAGMA user_version = 1;
)sql";
static_assert(ApplicationId == 1162039879);

// Waits for another process's lock by looking again every millisecond, for up to
// BusyTimeoutMs. SQLite's own timeout backs off to 100 ms between looks, which would leave the
// store idle for most of each hand-over between writers that take turns.
int waitForLock(void *waitingSince, int attempts)
{
    auto &since = *static_cast<std::chrono::steady_clock::time_point *>(waitingSince);
    const auto now = std::chrono::steady_clock::now();
    if (attempts == 0)
        since = now;
    if (now - since >= std::chrono::milliseconds(BusyTimeoutMs))
        return 0;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
    return 1;
}

std::int64_t pragmaNumber(sqlite3 *db, const char *sql)
{
    SqliteStatement statement(db, sql);
    return statement.step() ? statement.integer(0) : 0;
}

std::int64_t tableCount(sqlite3 *db)
{
    SqliteStatement statement(db, "SELECT count(*) FROM sqlite_master");
    return statement.step() ? statement.integer(0) : 0;
}

// Creates each missing folder of `path` (mode 0700) and the file itself (mode 0600).
LONG createMissingFile(const std::string &path)
{
    struct stat info {};
    if (stat(path.c_str(), &info) == 0)
        return ERROR_SUCCESS;
    if (errno != ENOENT)
        return ERROR_CANTOPEN;
    for (std::size_t slash = path.find('/', 1); slash != std::string::npos;
         slash = path.find('/', slash + 1)) {
        const std::string folder = path.substr(0, slash);
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST)
            return ERROR_CANTOPEN;
    }
    const int file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (file < 0 && errno != EEXIST)
        return ERROR_CANTOPEN;
    if (file >= 0)
        ::close(file);
    return ERROR_SUCCESS;
}

} // namespace

LONG statusForStoreFailure(int sqliteCode)
{
    switch (sqliteCode & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return ERROR_BUSY;
    case SQLITE_NOTADB:
    case SQLITE_CORRUPT:
    case SQLITE_SCHEMA:
        return ERROR_BADDB;
    case SQLITE_CANTOPEN:
        return ERROR_CANTOPEN;
    case SQLITE_READONLY:
    case SQLITE_PERM:
    case SQLITE_AUTH:
        return ERROR_ACCESS_DENIED;
    case SQLITE_NOMEM:
        return ERROR_OUTOFMEMORY;
    case SQLITE_TOOBIG:
        return ERROR_NOT_ENOUGH_MEMORY;
    case SQLITE_FULL:
        return ERROR_DISK_FULL;
    default:
        return ERROR_REGISTRY_IO_FAILED;
    }
}

RegistryStore::~RegistryStore() { close(); }

void RegistryStore::close()
{
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_path.clear();
    m_roots = {};
    m_writerTurn.reset({});
    forgetListings();
}

void RegistryStore::forgetListings()
{
    m_values.reset();
    m_subkeys.reset();
}

// Closing the last connection normally copies the write-ahead log into the file; for a file
// found damaged that could rewrite it, so it is told to leave the file alone.
void RegistryStore::leaveFileAsItIs()
{
    if (m_db != nullptr)
        sqlite3_db_config(m_db, SQLITE_DBCONFIG_NO_CKPT_ON_CLOSE, 1, nullptr);
}

LONG RegistryStore::open(const std::string &path)
{
    if (m_db != nullptr && path == m_path)
        return ERROR_SUCCESS;
    close();
    if (path.empty())
        return ERROR_CANTOPEN;
    m_path = path;
    m_writerTurn.reset(path);
    const LONG status = openConnection();
    if (status != ERROR_SUCCESS) {
        leaveFileAsItIs();
        sqlite3_close_v2(m_db);
        m_db = nullptr;
    }
    return status;
}

LONG RegistryStore::openConnection()
{
    if (const LONG created = createMissingFile(m_path); created != ERROR_SUCCESS)
        return created;
    const int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_NOMUTEX;
    if (sqlite3_open_v2(m_path.c_str(), &m_db, flags, nullptr) != SQLITE_OK)
        return ERROR_CANTOPEN;
    sqlite3_busy_handler(m_db, waitForLock, &m_waitingSince);
    try {
        if (const LONG layout = prepareLayout(); layout != ERROR_SUCCESS)
            return layout;
        if (const LONG roots = loadRoots(); roots != ERROR_SUCCESS)
            return roots;
        execute(m_db, "PRAGMA synchronous = FULL");
    } catch (const StoreError &error) {
        return statusForStoreFailure(error.code());
    }
    // A write-ahead log lets readers work while another process writes. Where it cannot be
    // turned on (a read-only file) the rollback journal stays, which is just as crash-safe.
    sqlite3_exec(m_db, "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr);
    return ERROR_SUCCESS;
}

LONG RegistryStore::prepareLayout()
{
    // The file is only read until it is known to be empty or a store: even an empty write
    // transaction can make the database library repair and rewrite a damaged file.
    bool empty = false;
    const auto check = [this, &empty]() -> LONG {
        const std::int64_t version = pragmaNumber(m_db, "PRAGMA user_version");
        const std::int64_t owner = pragmaNumber(m_db, "PRAGMA application_id");
        empty = version == 0 && owner == 0 && tableCount(m_db) == 0;
        if (!empty && (owner != ApplicationId || version > LayoutVersion || version < 1))
            return ERROR_BADDB;
        return ERROR_SUCCESS;
    };
    if (const LONG status = transact(false, check); status != ERROR_SUCCESS || !empty)
        return status;
    // Checked again under the write lock: another process may have laid it out meanwhile.
    return transact(true, [&]() -> LONG {
        const LONG status = check();
        if (status == ERROR_SUCCESS && empty)
            execute(m_db, CreateLayout);
        return status;
    });
}

LONG RegistryStore::loadRoots()
{
    const auto read = [this]() -> LONG {
        readRoots();
        return allRootsFound() || isSound() ? ERROR_SUCCESS : ERROR_BADDB;
    };
    if (const LONG status = transact(false, read); status != ERROR_SUCCESS || allRootsFound())
        return status;
    // Checked again under the write lock: another process may have added them meanwhile.
    const LONG status = transact(true, [this]() -> LONG {
        readRoots();
        addMissingRoots();
        readRoots();
        return ERROR_SUCCESS;
    });
    // A store that cannot be written stays usable through the roots it has.
    if (status == ERROR_ACCESS_DENIED)
        return transact(false, [this]() -> LONG {
            readRoots();
            return ERROR_SUCCESS;
        });
    return status;
}

// For each root, the lowest key without a parent that bears its name (the rows come highest
// first, so that the lowest is the one kept).
void RegistryStore::readRoots()
{
    m_roots = {};
    SqliteStatement statement(
        m_db, "SELECT id, name FROM registry_keys WHERE parent IS NULL ORDER BY id DESC");
    while (statement.step()) {
        for (const PredefinedRoot root : AllPredefinedRoots) {
            if (statement.text(1) == rootKeyName(root))
                m_roots[static_cast<std::size_t>(root)] = statement.integer(0);
        }
    }
}

bool RegistryStore::allRootsFound() const
{
    return std::all_of(m_roots.begin(), m_roots.end(),
                       [](const std::optional<KeyId> &key) { return key.has_value(); });
}

bool RegistryStore::isSound()
{
    SqliteStatement statement(m_db, "PRAGMA quick_check");
    return statement.step() && statement.text(0) == "ok";
}

void RegistryStore::addMissingRoots()
{
    for (const PredefinedRoot root : AllPredefinedRoots) {
        if (!m_roots[static_cast<std::size_t>(root)]) {
            SqliteStatement(m_db, "INSERT INTO registry_keys(parent, name, folded) "
                                  "VALUES (NULL, ?, ?)")
                .bind(1, rootKeyName(root))
                .bind(2, rootKeyName(root))
                .run();
        }
    }
}

std::optional<KeyId> RegistryStore::rootKey(PredefinedRoot root) const
{
    return m_roots[static_cast<std::size_t>(root)];
}

// A write transaction waits for its turn among the writing processes before it takes the
// write lock, and gives the turn up once it holds the lock.
void RegistryStore::begin(bool write)
{
    if (!write) {
        execute(m_db, "BEGIN");
        return;
    }
    m_writerTurn.take(BusyTimeoutMs);
    struct TurnGivenUp {
        WriterTurn &turn;
        ~TurnGivenUp() { turn.release(); }
    } givenUp{m_writerTurn};
    execute(m_db, "BEGIN IMMEDIATE");
}

LONG RegistryStore::transact(bool write, const std::function<LONG()> &work)
{
    // Another process's commit shows in the data version; this connection's own writes do not.
    if (write)
        forgetListings();
    try {
        begin(write);
    } catch (const StoreError &error) {
        return statusForStoreFailure(error.code());
    }
    try {
        const LONG status = work();
        execute(m_db, status == ERROR_SUCCESS ? "COMMIT" : "ROLLBACK");
        return status;
    } catch (const StoreError &error) {
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        if (statusForStoreFailure(error.code()) == ERROR_BADDB)
            leaveFileAsItIs();
        return statusForStoreFailure(error.code());
    } catch (...) {
        // Anything else (running out of memory) ends the transaction too: the connection is
        // shared by every later call.
        sqlite3_exec(m_db, "ROLLBACK", nullptr, nullptr, nullptr);
        throw;
    }
}

bool RegistryStore::keyExists(KeyId key)
{
    SqliteStatement statement(m_db, "SELECT 1 FROM registry_keys WHERE id = ?");
    return statement.bind(1, key).step();
}

std::optional<KeyId> RegistryStore::findChild(KeyId parent, const std::string &name)
{
    SqliteStatement statement(m_db, "SELECT id FROM registry_keys WHERE parent = ? AND folded = ?");
    statement.bind(1, parent).bind(2, foldName(name));
    if (!statement.step())
        return std::nullopt;
    return statement.integer(0);
}

KeyId RegistryStore::createChild(KeyId parent, const std::string &name)
{
    SqliteStatement statement(m_db,
                              "INSERT INTO registry_keys(parent, name, folded) VALUES (?, ?, ?)");
    statement.bind(1, parent).bind(2, name).bind(3, foldName(name)).run();
    return sqlite3_last_insert_rowid(m_db);
}

bool RegistryStore::hasChildren(KeyId key)
{
    SqliteStatement statement(m_db, "SELECT 1 FROM registry_keys WHERE parent = ? LIMIT 1");
    return statement.bind(1, key).step();
}

// Read once per version of the store: listing a key one index after another would otherwise
// walk past every entry before each one. `sql` selects the ids of the key's entries in order.
const std::vector<std::int64_t> &RegistryStore::listing(std::optional<Listing> &kept, KeyId key,
                                                        const char *sql)
{
    const std::int64_t version = pragmaNumber(m_db, "PRAGMA data_version");
    if (kept && kept->key == key && kept->dataVersion == version)
        return kept->ids;
    kept.reset();
    Listing fresh{key, version, {}};
    SqliteStatement statement(m_db, sql);
    statement.bind(1, key);
    while (statement.step())
        fresh.ids.push_back(statement.integer(0));
    return kept.emplace(std::move(fresh)).ids;
}

std::optional<std::string> RegistryStore::childNameAt(KeyId parent, DWORD index)
{
    const std::vector<std::int64_t> &ids =
        listing(m_subkeys, parent, "SELECT id FROM registry_keys WHERE parent = ? ORDER BY folded");
    if (index >= ids.size())
        return std::nullopt;
    SqliteStatement statement(m_db, "SELECT name FROM registry_keys WHERE id = ?");
    statement.bind(1, ids[index]);
    if (!statement.step())
        return std::nullopt;
    return statement.text(0);
}

void RegistryStore::deleteKey(KeyId key)
{
    SqliteStatement(m_db, "DELETE FROM registry_values WHERE key = ?").bind(1, key).run();
    SqliteStatement(m_db, "DELETE FROM registry_keys WHERE id = ?").bind(1, key).run();
}

namespace {

// The key ?1 and everything below it: a recursive walk down the parent links whose UNION keeps
// each key once, so that it ends even where a hand-edited store links keys in a circle.
constexpr const char *TreeKeys = "WITH RECURSIVE tree(id) AS (SELECT ?1 UNION "
                                 "SELECT registry_keys.id FROM registry_keys "
                                 "JOIN tree ON registry_keys.parent = tree.id) "
                                 "SELECT id FROM tree";

} // namespace

void RegistryStore::deleteTree(KeyId key, bool keepKey)
{
    SqliteStatement(m_db,
                    std::string("DELETE FROM registry_values WHERE key IN (") + TreeKeys + ")")
        .bind(1, key)
        .run();
    SqliteStatement(m_db, std::string("DELETE FROM registry_keys WHERE id IN (") + TreeKeys +
                              ") AND (?2 = 0 OR id != ?1)")
        .bind(1, key)
        .bind(2, std::int64_t{keepKey ? 1 : 0})
        .run();
}

namespace {

StoredValue valueFromRow(const SqliteStatement &row)
{
    return {row.text(0), static_cast<DWORD>(row.integer(1)), row.blob(2)};
}

} // namespace

std::optional<StoredValue> RegistryStore::findValue(KeyId key, const std::string &name)
{
    SqliteStatement statement(
        m_db, "SELECT name, type, data FROM registry_values WHERE key = ? AND folded = ?");
    statement.bind(1, key).bind(2, foldName(name));
    if (!statement.step())
        return std::nullopt;
    return valueFromRow(statement);
}

std::optional<StoredValue> RegistryStore::valueAt(KeyId key, DWORD index)
{
    const std::vector<std::int64_t> &ids =
        listing(m_values, key, "SELECT id FROM registry_values WHERE key = ? ORDER BY id");
    if (index >= ids.size())
        return std::nullopt;
    SqliteStatement statement(m_db, "SELECT name, type, data FROM registry_values WHERE id = ?");
    statement.bind(1, ids[index]);
    if (!statement.step())
        return std::nullopt;
    return valueFromRow(statement);
}

void RegistryStore::setValue(KeyId key, const std::string &name, DWORD type,
                             const std::vector<std::uint8_t> &data)
{
    SqliteStatement statement(
        m_db, "INSERT INTO registry_values(key, name, folded, type, data) VALUES (?, ?, ?, ?, ?) "
              "ON CONFLICT(key, folded) DO UPDATE SET type = excluded.type, data = excluded.data");
    statement.bind(1, key).bind(2, name).bind(3, foldName(name)).bind(4, std::int64_t{type});
    statement.bindBlob(5, data).run();
}

bool RegistryStore::deleteValue(KeyId key, const std::string &name)
{
    SqliteStatement statement(m_db, "DELETE FROM registry_values WHERE key = ? AND folded = ?");
    statement.bind(1, key).bind(2, foldName(name)).run();
    return sqlite3_changes(m_db) > 0;
}

} // namespace registry
