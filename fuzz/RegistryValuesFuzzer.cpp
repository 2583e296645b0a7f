// Reads stored values back through the registry functions from a store prepared from the
// fuzz input, with buffers of every size, and checks that no call writes outside what it was
// given, that a buffer that is too small stays untouched, and that what arrives is what was
// stored. A second mode hands the input over as the store file itself: a damaged file must
// give a status, never a crash, and a refused file must be left as it was.
#include "platform/registry/NameFolding.h"
#include "platform/registry/winreg.h"

#include <fuzzer/FuzzedDataProvider.h>
#include <sqlite3.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::uint8_t canary = 0xA5;

void require(bool condition)
{
    if (!condition)
        std::abort();
}

struct Fixture {
    std::string folder, storePath;
    sqlite3 *db = nullptr;
    sqlite3_int64 fuzzKey = 0;
    unsigned damagedRuns = 0;
};

Fixture &fixture()
{
    static Fixture f;
    return f;
}

void exec(const char *sql)
{
    require(sqlite3_exec(fixture().db, sql, nullptr, nullptr, nullptr) == SQLITE_OK);
}

// A buffer of exactly `size` bytes (so that the address sanitizer sees any write past it),
// filled with the canary.
struct Buffer {
    explicit Buffer(std::size_t size)
        : bytes(std::make_unique<std::uint8_t[]>(size + (size == 0))), size(size)
    {
        std::memset(bytes.get(), canary, size + (size == 0));
    }
    bool untouched() const
    {
        for (std::size_t i = 0; i < size + (size == 0); ++i)
            if (bytes[i] != canary)
                return false;
        return true;
    }
    std::unique_ptr<std::uint8_t[]> bytes;
    std::size_t size;
};

struct Record {
    std::string name;
    std::string data;
    bool stored = false;
};

void insert(const char *sql, sqlite3_int64 key, const std::string &name, const std::string &folded,
            sqlite3_int64 type, const std::string *data)
{
    sqlite3_stmt *statement = nullptr;
    require(sqlite3_prepare_v2(fixture().db, sql, -1, &statement, nullptr) == SQLITE_OK);
    sqlite3_bind_int64(statement, 1, key);
    sqlite3_bind_text(statement, 2, name.data(), int(name.size()), SQLITE_TRANSIENT);
    sqlite3_bind_text(statement, 3, folded.data(), int(folded.size()), SQLITE_TRANSIENT);
    if (data != nullptr) {
        sqlite3_bind_int64(statement, 4, type);
        sqlite3_bind_blob(statement, 5, data->data(), int(data->size()), SQLITE_TRANSIENT);
    }
    require(sqlite3_step(statement) == SQLITE_DONE);
    sqlite3_finalize(statement);
}

// Stores the records straight into the file, as a damaged or foreign writer might: any
// bytes in names (NULs too), folded names that disagree with the names, any type number.
std::vector<Record> prepareValues(FuzzedDataProvider &input, std::vector<std::string> &subkeys)
{
    Fixture &f = fixture();
    exec("BEGIN");
    sqlite3_stmt *clear = nullptr;
    for (const char *sql : {"DELETE FROM registry_values WHERE key = ?",
                            "DELETE FROM registry_keys WHERE parent = ?"}) {
        require(sqlite3_prepare_v2(f.db, sql, -1, &clear, nullptr) == SQLITE_OK);
        sqlite3_bind_int64(clear, 1, f.fuzzKey);
        require(sqlite3_step(clear) == SQLITE_DONE);
        sqlite3_finalize(clear);
    }
    std::vector<Record> records(input.ConsumeIntegralInRange<std::size_t>(0, 6));
    for (Record &record : records) {
        record.name = input.ConsumeRandomLengthString(300);
        record.data = input.ConsumeRandomLengthString(700);
        const auto type = input.ConsumeBool() ? input.ConsumeIntegralInRange<sqlite3_int64>(0, 12)
                                              : input.ConsumeIntegral<sqlite3_int64>();
        const std::string folded = input.ConsumeBool() ? registry::foldName(record.name)
                                                       : input.ConsumeRandomLengthString(20);
        insert("INSERT OR IGNORE INTO registry_values(key, name, folded, type, data) VALUES (?, ?, "
               "?, ?, ?)",
               f.fuzzKey, record.name, folded, type, &record.data);
        record.stored = sqlite3_changes(f.db) > 0;
    }
    subkeys.resize(input.ConsumeIntegralInRange<std::size_t>(0, 3));
    for (std::string &name : subkeys) {
        name = input.ConsumeRandomLengthString(300);
        insert("INSERT OR IGNORE INTO registry_keys(parent, name, folded) VALUES (?, ?, ?)",
               f.fuzzKey, name, registry::foldName(name), 0, nullptr);
    }
    exec("COMMIT");
    std::erase_if(records, [](const Record &r) { return !r.stored; });
    return records;
}

bool fitsAsName(const std::string &name) { return name.find('\0') == std::string::npos; }

void enumerateValue(FuzzedDataProvider &input, HKEY key, DWORD index,
                    const std::vector<Record> &records)
{
    Buffer name(input.ConsumeIntegralInRange<std::size_t>(0, 320));
    Buffer data(input.ConsumeIntegralInRange<std::size_t>(0, 720));
    const bool withData = input.ConsumeBool();
    DWORD nameRoom = DWORD(name.size), dataRoom = DWORD(data.size), type = 0;
    const LONG status =
        RegEnumValueA(key, index, reinterpret_cast<LPSTR>(name.bytes.get()), &nameRoom, nullptr,
                      &type, withData ? data.bytes.get() : nullptr, &dataRoom);
    if (index >= records.size()) {
        require(status == ERROR_NO_MORE_ITEMS && name.untouched() && data.untouched());
        return;
    }
    const Record &record = records[index];
    require(status == ERROR_SUCCESS || status == ERROR_MORE_DATA);
    if (withData && data.size < record.data.size()) {
        require(status == ERROR_MORE_DATA && data.untouched() && name.untouched());
        require(dataRoom == record.data.size());
        return;
    }
    require(dataRoom == record.data.size());
    if (withData)
        require(std::memcmp(data.bytes.get(), record.data.data(), record.data.size()) == 0);
    if (status == ERROR_SUCCESS) {
        require(nameRoom == record.name.size() && name.size > record.name.size());
        require(std::memcmp(name.bytes.get(), record.name.data(), record.name.size() + 1) == 0);
    } else {
        require(name.size <= record.name.size());
    }
}

void queryValue(FuzzedDataProvider &input, HKEY key, const Record &record)
{
    if (!fitsAsName(record.name))
        return;
    Buffer data(input.ConsumeIntegralInRange<std::size_t>(0, 720));
    DWORD room = DWORD(data.size), type = 0;
    const LONG status =
        RegQueryValueExA(key, record.name.c_str(), nullptr, &type, data.bytes.get(), &room);
    // A name the folding finds first may belong to another record; only sizes are checked then.
    if (status == ERROR_MORE_DATA) {
        require(data.untouched() && room > data.size);
    } else if (status == ERROR_SUCCESS) {
        require(room <= data.size);
    } else {
        require(status == ERROR_FILE_NOT_FOUND || status == ERROR_INVALID_PARAMETER);
    }
}

void enumerateSubkey(FuzzedDataProvider &input, HKEY key, DWORD index)
{
    Buffer name(input.ConsumeIntegralInRange<std::size_t>(1, 320));
    const LONG status =
        RegEnumKeyA(key, index, reinterpret_cast<LPSTR>(name.bytes.get()), DWORD(name.size));
    if (status == ERROR_SUCCESS)
        require(std::memchr(name.bytes.get(), 0, name.size) != nullptr);
    else if (status == ERROR_MORE_DATA)
        require(name.untouched());
}

void readPreparedStore(FuzzedDataProvider &input)
{
    std::vector<std::string> subkeys;
    const std::vector<Record> records = prepareValues(input, subkeys);
    HKEY key = nullptr;
    require(RegOpenKeyExA(HKEY_CURRENT_USER, "Fuzz", 0, KEY_READ, &key) == ERROR_SUCCESS);
    for (DWORD index = 0; index <= records.size(); ++index)
        enumerateValue(input, key, index, records);
    for (const Record &record : records)
        queryValue(input, key, record);
    for (DWORD index = 0; index <= subkeys.size(); ++index)
        enumerateSubkey(input, key, index);
    require(RegCloseKey(key) == ERROR_SUCCESS);
}

std::string contents(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The input is the store file. Reading calls must not crash; a refused file stays as it was.
void readDamagedFile(FuzzedDataProvider &input)
{
    Fixture &f = fixture();
    const std::string path = f.folder + "/damaged-" + std::to_string(f.damagedRuns++) + ".db";
    const std::string bytes = input.ConsumeRemainingBytesAsString();
    std::ofstream(path, std::ios::binary) << bytes;
    setenv("EMBERCOFFER_REGISTRY", path.c_str(), 1);
    HKEY key = nullptr;
    const LONG opened = RegOpenKeyExA(HKEY_CURRENT_USER, "Fuzz", 0, KEY_READ, &key);
    if (opened == ERROR_SUCCESS)
        RegCloseKey(key);
    char name[64];
    BYTE data[64];
    DWORD nameRoom = sizeof name, dataRoom = sizeof data;
    const LONG listed =
        RegEnumValueA(HKEY_CURRENT_USER, 0, name, &nameRoom, nullptr, nullptr, data, &dataRoom);
    RegEnumKeyA(HKEY_CURRENT_USER, 0, name, sizeof name);
    if (opened == ERROR_BADDB && listed == ERROR_BADDB)
        require(contents(path) == bytes);
    setenv("EMBERCOFFER_REGISTRY", f.storePath.c_str(), 1);
    for (const char *suffix : {"", "-wal", "-shm", "-journal", "-writers"})
        unlink((path + suffix).c_str());
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    Fixture &f = fixture();
    // A memory file system keeps the many small transactions fast where there is one.
    std::string pattern = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    pattern += "/fuzz-registry-XXXXXX";
    require(mkdtemp(pattern.data()) != nullptr);
    f.folder = pattern;
    f.storePath = f.folder + "/registry.db";
    setenv("EMBERCOFFER_REGISTRY", f.storePath.c_str(), 1);
    HKEY key = nullptr;
    require(RegCreateKeyA(HKEY_CURRENT_USER, "Fuzz", &key) == ERROR_SUCCESS);
    RegCloseKey(key);
    require(sqlite3_open(f.storePath.c_str(), &f.db) == SQLITE_OK);
    sqlite3_busy_timeout(f.db, 5000);
    exec("PRAGMA synchronous = OFF");
    sqlite3_stmt *find = nullptr;
    require(sqlite3_prepare_v2(f.db,
                               "SELECT id FROM registry_keys WHERE parent = 2 AND name = 'Fuzz'",
                               -1, &find, nullptr) == SQLITE_OK);
    require(sqlite3_step(find) == SQLITE_ROW);
    f.fuzzKey = sqlite3_column_int64(find, 0);
    sqlite3_finalize(find);
    std::atexit([] {
        sqlite3_close(fixture().db);
        for (const char *suffix : {"", "-wal", "-shm", "-writers"})
            unlink((fixture().storePath + suffix).c_str());
        rmdir(fixture().folder.c_str());
    });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    if (input.ConsumeIntegralInRange<int>(0, 7) == 0)
        readDamagedFile(input);
    else
        readPreparedStore(input);
    return 0;
}
