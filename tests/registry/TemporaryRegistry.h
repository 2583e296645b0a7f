#pragma once
#include "platform/registry/winreg.h"

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <cstdlib>
#include <filesystem>
#include <string>

// Gives each test a registry store of its own in a fresh temporary folder, named through
// EMBERCOFFER_REGISTRY, and removes the folder afterwards.
class TemporaryRegistry : public testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/registry-test-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder = pattern;
        storeFile = folder / "registry.db";
        setenv("EMBERCOFFER_REGISTRY", storeFile.c_str(), 1);
    }

    void TearDown() override
    {
        unsetenv("EMBERCOFFER_REGISTRY");
        std::error_code ignored;
        std::filesystem::permissions(folder, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(folder, ignored);
    }

    // Creates `path` below `root` and returns an open handle to it.
    static HKEY createKey(const char *path, HKEY root = HKEY_CURRENT_USER)
    {
        HKEY key = nullptr;
        EXPECT_EQ(RegCreateKeyA(root, path, &key), ERROR_SUCCESS) << path;
        return key;
    }

    static LONG setString(HKEY key, const char *name, const std::string &text)
    {
        return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(text.c_str()),
                              static_cast<DWORD>(text.size() + 1));
    }

    // Runs `sql` on the store file directly, as someone editing it by hand would.
    void editStore(const char *sql) const
    {
        sqlite3 *db = nullptr;
        ASSERT_EQ(sqlite3_open(storeFile.c_str(), &db), SQLITE_OK);
        EXPECT_EQ(sqlite3_exec(db, sql, nullptr, nullptr, nullptr), SQLITE_OK)
            << sqlite3_errmsg(db);
        sqlite3_close(db);
    }

    // The first column of the first row that `sql` gives on the store file.
    std::string queryStore(const char *sql) const
    {
        sqlite3 *db = nullptr;
        sqlite3_stmt *statement = nullptr;
        std::string answer = "<no answer>";
        if (sqlite3_open_v2(storeFile.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK &&
            sqlite3_prepare_v2(db, sql, -1, &statement, nullptr) == SQLITE_OK &&
            sqlite3_step(statement) == SQLITE_ROW)
            answer = reinterpret_cast<const char *>(sqlite3_column_text(statement, 0));
        sqlite3_finalize(statement);
        sqlite3_close(db);
        return answer;
    }

    std::filesystem::path folder;
    std::filesystem::path storeFile;
};
