#pragma once
#include "platform/registry/PredefinedRoot.h"
#include "platform/registry/WriterTurn.h"
#include "platform/registry/winreg.h"

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace registry {

using KeyId = std::int64_t;

struct StoredValue {
    std::string name;
    DWORD type = REG_NONE;
    std::vector<std::uint8_t> data;
};

// The largest value the store takes, in bytes: well inside what the database holds in one row
// (a billion bytes) beside the longest names. Windows bounds a value by memory only; a larger
// one is refused as Windows refuses a value that memory cannot hold.
inline constexpr DWORD MaxValueSize = 512u * 1024 * 1024;

// The registry kept in one SQLite file. Keys and values keep the spelling they were created
// with and are found through their folded names. The key and value operations run inside
// `transact`.
class RegistryStore {
public:
    RegistryStore() = default;
    ~RegistryStore();
    RegistryStore(const RegistryStore &) = delete;
    RegistryStore &operator=(const RegistryStore &) = delete;

    // Opens the store at `path` unless it is already open; creates the file (mode 0600) and
    // its layout when there is no file or the file is empty. A file that is not a database,
    // holds other tables, or has a newer layout than this program knows is left untouched and
    // gives a failure status. A sound store that lacks a root key (one made before that root
    // existed) gains it; a damaged one is left as it is.
    LONG open(const std::string &path);
    const std::string &path() const { return m_path; }

    // The key of a predefined root; none only in a read-only store that lacks it.
    std::optional<KeyId> rootKey(PredefinedRoot root) const;

    // Runs `work` as one transaction (a write transaction takes the store's write lock at
    // once); a failure status, a store error or any exception rolls everything back (the
    // exception goes on to the caller).
    LONG transact(bool write, const std::function<LONG()> &work);

    bool keyExists(KeyId key);
    std::optional<KeyId> findChild(KeyId parent, const std::string &name);
    KeyId createChild(KeyId parent, const std::string &name);
    bool hasChildren(KeyId key);
    // The name of the subkey at `index`, sorted by folded name; one lookup per call while the
    // store does not change, as for values.
    std::optional<std::string> childNameAt(KeyId parent, DWORD index);
    void deleteKey(KeyId key);
    // Deletes every key below `key` and all their values, and the values of `key` itself; the
    // key goes too unless `keepKey`. Safe on a store edited by hand into a cycle.
    void deleteTree(KeyId key, bool keepKey);

    std::optional<StoredValue> findValue(KeyId key, const std::string &name);
    // The value at `index` in creation order. Walking through the indexes one after another
    // costs one lookup each, as long as the store does not change meanwhile.
    std::optional<StoredValue> valueAt(KeyId key, DWORD index);
    // Stores a value; a value that exists keeps its spelling and its place in the order.
    void setValue(KeyId key, const std::string &name, DWORD type,
                  const std::vector<std::uint8_t> &data);
    bool deleteValue(KeyId key, const std::string &name);

private:
    // The ids of one key's values or subkeys in the order they are listed, as of one version
    // of the store.
    struct Listing {
        KeyId key = 0;
        std::int64_t dataVersion = 0;
        std::vector<std::int64_t> ids;
    };

    const std::vector<std::int64_t> &listing(std::optional<Listing> &kept, KeyId key,
                                             const char *sql);
    void forgetListings();
    void close();
    void begin(bool write);
    void leaveFileAsItIs();
    LONG openConnection();
    LONG prepareLayout();
    LONG loadRoots();
    void readRoots();
    bool allRootsFound() const;
    bool isSound();
    void addMissingRoots();

    sqlite3 *m_db = nullptr;
    std::string m_path;
    WriterTurn m_writerTurn;
    std::chrono::steady_clock::time_point m_waitingSince;
    std::array<std::optional<KeyId>, AllPredefinedRoots.size()> m_roots;
    // Kept between calls while neither this connection wrote nor another one committed.
    std::optional<Listing> m_values;
    std::optional<Listing> m_subkeys;
};

// The status a SQLite result code stands for.
LONG statusForStoreFailure(int sqliteCode);

} // namespace registry
