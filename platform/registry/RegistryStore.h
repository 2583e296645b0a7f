#pragma once
#include "platform/registry/winreg.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace registry {

using KeyId = std::int64_t;

// The four predefined roots are the first four keys of every store, in this order.
inline constexpr KeyId FirstRootId = 1;
inline constexpr int RootCount = 4;

struct StoredValue {
    std::string name;
    DWORD type = REG_NONE;
    std::vector<std::uint8_t> data;
};

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
    // gives a failure status.
    LONG open(const std::string &path);
    const std::string &path() const { return m_path; }

    // Runs `work` as one transaction (a write transaction takes the store's write lock at
    // once); a failure status or a store error rolls everything back.
    LONG transact(bool write, const std::function<LONG()> &work);

    bool keyExists(KeyId key);
    std::optional<KeyId> findChild(KeyId parent, const std::string &name);
    KeyId createChild(KeyId parent, const std::string &name);
    bool hasChildren(KeyId key);
    std::optional<std::string> childNameAt(KeyId parent, DWORD index);
    void deleteKey(KeyId key);

    std::optional<StoredValue> findValue(KeyId key, const std::string &name);
    std::optional<StoredValue> valueAt(KeyId key, DWORD index);
    // Stores a value; a value that exists keeps its spelling and its place in the order.
    void setValue(KeyId key, const std::string &name, DWORD type,
                  const std::vector<std::uint8_t> &data);
    bool deleteValue(KeyId key, const std::string &name);

private:
    void close();
    void leaveFileAsItIs();
    LONG openConnection();
    LONG prepareLayout();

    sqlite3 *m_db = nullptr;
    std::string m_path;
};

// The status a SQLite result code stands for.
LONG statusForStoreFailure(int sqliteCode);

} // namespace registry
