#pragma once
#include "platform/registry/winreg.h"

#include <gtest/gtest.h>

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

    std::filesystem::path folder;
    std::filesystem::path storeFile;
};
