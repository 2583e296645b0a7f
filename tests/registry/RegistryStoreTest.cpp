// The store file: where it lives, files it must refuse without harming them, and other
// processes using it at the same time.
#include "tests/TestPaths.h"
#include "tests/registry/TemporaryRegistry.h"
#include "tests/support/WithoutPermissionOverride.h"

#include <sqlite3.h>

#include <csignal>
#include <fstream>
#include <iterator>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

extern char **environ;

namespace {

namespace fs = std::filesystem;

class RegistryStore : public TemporaryRegistry {
protected:
    static std::string contents(const fs::path &file)
    {
        std::ifstream in(file, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // A SQLite file built with `sql`, standing in for someone else's database.
    static void makeDatabase(const fs::path &file, const char *sql)
    {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(file.c_str(), &db), SQLITE_OK);
        ASSERT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }

    void useStore(const fs::path &file) { setenv("EMBERCOFFER_REGISTRY", file.c_str(), 1); }

    // Makes this process let go of the store file by using another one for a moment.
    void releaseStore()
    {
        useStore(folder / "elsewhere.db");
        RegCloseKey(createKey("Elsewhere"));
        useStore(storeFile);
    }

    // The store as a version that knew no configuration root left it.
    void removeConfigurationRoot()
    {
        releaseStore();
        editStore(
            "DELETE FROM registry_keys WHERE parent IS NULL AND name = 'HKEY_CURRENT_CONFIG'");
    }

    // Calls that create, query and list fail on an unusable store with `expected`.
    static void expectCallsFail(LONG expected)
    {
        HKEY key = reinterpret_cast<HKEY>(0x10);
        EXPECT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Software", &key), expected);
        EXPECT_EQ(key, nullptr);
        DWORD size = 0;
        EXPECT_EQ(RegQueryValueExA(HKEY_CURRENT_USER, "v", nullptr, nullptr, nullptr, &size),
                  expected);
        char name[8];
        EXPECT_EQ(RegEnumKeyA(HKEY_CURRENT_USER, 0, name, sizeof name), expected);
    }

    static pid_t spawn(const std::vector<std::string> &arguments, int *output = nullptr)
    {
        std::vector<char *> argv{const_cast<char *>(REGISTRY_WRITER)};
        for (const std::string &argument : arguments)
            argv.push_back(const_cast<char *>(argument.c_str()));
        argv.push_back(nullptr);
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        int pipeEnds[2] = {-1, -1};
        if (output != nullptr) {
            EXPECT_EQ(pipe(pipeEnds), 0);
            posix_spawn_file_actions_adddup2(&actions, pipeEnds[1], STDOUT_FILENO);
            posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
        }
        pid_t child = -1;
        EXPECT_EQ(posix_spawn(&child, REGISTRY_WRITER, &actions, nullptr, argv.data(), environ), 0);
        posix_spawn_file_actions_destroy(&actions);
        if (output != nullptr) {
            close(pipeEnds[1]);
            *output = pipeEnds[0];
        }
        return child;
    }

    static int exitStatus(pid_t child)
    {
        int status = 0;
        EXPECT_EQ(waitpid(child, &status, 0), child);
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
};

TEST_F(RegistryStore, IsCreatedForItsOwnerOnlyInMissingFolders)
{
    const fs::path nested = folder / "a" / "b" / "registry.db";
    useStore(nested);
    HKEY key = createKey("Software");
    RegCloseKey(key);
    struct stat info {};
    ASSERT_EQ(stat(nested.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0600u);
}

TEST_F(RegistryStore, DefaultsToTheUsersConfigFolder)
{
    unsetenv("EMBERCOFFER_REGISTRY");
    const char *previous = std::getenv("XDG_CONFIG_HOME");
    const std::string saved = previous != nullptr ? previous : "";
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    RegCloseKey(createKey("Software"));
    EXPECT_TRUE(fs::exists(folder / "EmberCoffer" / "registry.db"));
    if (previous != nullptr)
        setenv("XDG_CONFIG_HOME", saved.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

TEST_F(RegistryStore, RefusesFilesThatAreNotItsOwnAndLeavesThemAlone)
{
    const fs::path text = folder / "text.db";
    std::ofstream(text) << "This is a letter, not a database.\n" << std::string(5000, '.');
    const fs::path other = folder / "other.db";
    makeDatabase(other, "CREATE TABLE photos(name TEXT); INSERT INTO photos VALUES('cat');");
    const fs::path newer = folder / "newer.db";
    makeDatabase(newer, "PRAGMA application_id = 1162039879; PRAGMA user_version = 2;"
                        "CREATE TABLE registry_keys(id INTEGER PRIMARY KEY);");
    for (const fs::path &file : {text, other, newer}) {
        SCOPED_TRACE(file.filename().string());
        const std::string before = contents(file);
        useStore(file);
        expectCallsFail(ERROR_BADDB);
        EXPECT_EQ(contents(file), before);
    }

    // A folder where the file should be cannot be opened; once it is gone, the store works.
    fs::create_directory(storeFile);
    useStore(storeFile);
    expectCallsFail(ERROR_CANTOPEN);
    fs::remove(storeFile);
    RegCloseKey(createKey("Software"));
}

TEST_F(RegistryStore, UnreadableFileFailsWithoutHarm)
{
    const fs::path locked = folder / "locked.db";
    useStore(locked);
    RegCloseKey(createKey("Software"));
    useStore(storeFile);
    RegCloseKey(createKey("Elsewhere")); // lets go of the first store
    fs::permissions(locked, fs::perms::none);
    {
        const WithoutPermissionOverride asOrdinaryUser;
        ASSERT_TRUE(asOrdinaryUser.active());
        useStore(locked);
        expectCallsFail(ERROR_CANTOPEN);
    }
    fs::permissions(locked, fs::perms::owner_read | fs::perms::owner_write);
    HKEY key = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_READ, &key), ERROR_SUCCESS);
    RegCloseKey(key);
}

TEST_F(RegistryStore, SeveralProcessesWriteAtOnce)
{
    RegCloseKey(createKey("Stress"));
    std::vector<pid_t> children;
    for (const char *prefix : {"first", "second", "third"})
        children.push_back(spawn({"count", prefix, "25"}));
    HKEY key = createKey("Stress");
    for (int i = 0; i < 25; ++i)
        EXPECT_EQ(setString(key, ("here" + std::to_string(i)).c_str(), "x"), ERROR_SUCCESS);
    for (const pid_t child : children)
        EXPECT_EQ(exitStatus(child), 0);

    char name[32];
    DWORD count = 0;
    for (DWORD length = sizeof name; RegEnumValueA(key, count, name, &length, nullptr, nullptr,
                                                   nullptr, nullptr) == ERROR_SUCCESS;
         length = sizeof name)
        ++count;
    EXPECT_EQ(count, 100u);
    RegCloseKey(key);
}

TEST_F(RegistryStore, KilledWriterLeavesACompleteValue)
{
    RegCloseKey(createKey("Stress"));
    int output = -1;
    const pid_t writer = spawn({"loop", "blob"}, &output);
    // Let it finish a few rounds, then kill it while it keeps writing.
    FILE *lines = fdopen(output, "r");
    char line[32];
    for (int round = 0; round < 5; ++round)
        ASSERT_NE(std::fgets(line, sizeof line, lines), nullptr);
    kill(writer, SIGKILL);
    EXPECT_EQ(exitStatus(writer), -1);
    std::fclose(lines);

    HKEY key = createKey("Stress");
    std::vector<BYTE> data(64 * 1024 + 1);
    DWORD size = static_cast<DWORD>(data.size());
    ASSERT_EQ(RegQueryValueExA(key, "blob", nullptr, nullptr, data.data(), &size), ERROR_SUCCESS);
    ASSERT_EQ(size, 64u * 1024);
    data.resize(size);
    EXPECT_EQ(std::count(data.begin(), data.end(), data[0]), static_cast<long>(size));
    // The killed writer's lock is gone: writing works at once.
    EXPECT_EQ(setString(key, "after", "x"), ERROR_SUCCESS);
    RegCloseKey(key);

    EXPECT_EQ(queryStore("PRAGMA integrity_check"), "ok");
}

TEST_F(RegistryStore, OlderStoreGainsTheConfigurationRootAndLosesNothing)
{
    HKEY kept = createKey("Software\\Kept");
    ASSERT_EQ(setString(kept, "v", "before"), ERROR_SUCCESS);
    RegCloseKey(kept);
    removeConfigurationRoot();

    RegCloseKey(createKey("Settings", HKEY_CURRENT_CONFIG));
    releaseStore();
    HKEY settings = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_CONFIG, "Settings", 0, KEY_READ, &settings),
              ERROR_SUCCESS);
    RegCloseKey(settings);
    char text[16];
    DWORD size = sizeof text;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Kept", 0, KEY_READ, &kept),
              ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(kept, "v", nullptr, nullptr, reinterpret_cast<LPBYTE>(text), &size),
              ERROR_SUCCESS);
    EXPECT_STREQ(text, "before");
    RegCloseKey(kept);
    EXPECT_EQ(queryStore("SELECT count(*) FROM registry_keys WHERE parent IS NULL"), "5");
}

// A damaged store is not repaired on the way: it is refused as it is, even when it lacks a root.
TEST_F(RegistryStore, DamagedOlderStoreIsRefusedUnchanged)
{
    HKEY bulk = createKey("Bulk");
    for (int i = 0; i < 20; ++i)
        ASSERT_EQ(setString(bulk, ("v" + std::to_string(i)).c_str(), std::string(3000, 'b')),
                  ERROR_SUCCESS);
    RegCloseKey(bulk);
    removeConfigurationRoot();
    const long page =
        std::stol(queryStore("SELECT rootpage FROM sqlite_master WHERE name = 'registry_values'"));
    const long pageSize = std::stol(queryStore("PRAGMA page_size"));
    {
        std::fstream file(storeFile, std::ios::in | std::ios::out | std::ios::binary);
        file.seekp((page - 1) * pageSize);
        const std::string garbage(static_cast<std::size_t>(pageSize), '\xff');
        file.write(garbage.data(), static_cast<std::streamsize>(garbage.size()));
    }
    const std::string before = contents(storeFile);
    expectCallsFail(ERROR_BADDB);
    HKEY config = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_CONFIG, "", 0, KEY_READ, &config), ERROR_BADDB);
    EXPECT_EQ(contents(storeFile), before);
}

} // namespace
