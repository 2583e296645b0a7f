// String sizes and terminators, and what a query writes when the buffer is too small.
#include "tests/registry/TemporaryRegistry.h"

#include <cstring>

namespace {

class RegistryData : public TemporaryRegistry {
protected:
    void SetUp() override
    {
        TemporaryRegistry::SetUp();
        key = createKey("Data");
    }
    void TearDown() override
    {
        RegCloseKey(key);
        TemporaryRegistry::TearDown();
    }

    LONG set(const char *name, DWORD type, const char *data, DWORD size)
    {
        return RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE *>(data), size);
    }

    // Queries into an 8-byte buffer of 'x' of which `room` bytes are offered.
    LONG query(const char *name, DWORD room)
    {
        std::memset(buffer, 'x', sizeof buffer);
        size = room;
        type = 0;
        return RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size);
    }

    DWORD storedSize(const char *name)
    {
        DWORD stored = 0;
        EXPECT_EQ(RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &stored), ERROR_SUCCESS);
        return stored;
    }

    HKEY key = nullptr;
    char buffer[8];
    DWORD size = 0;
    DWORD type = 0;
};

TEST_F(RegistryData, StringsGainTheirTerminatorOnlyWhenItFollowsTheData)
{
    ASSERT_EQ(set("five", REG_SZ, "hello", 5), ERROR_SUCCESS);
    EXPECT_EQ(storedSize("five"), 6u);
    ASSERT_EQ(set("six", REG_SZ, "hello", 6), ERROR_SUCCESS);
    EXPECT_EQ(storedSize("six"), 6u);
    ASSERT_EQ(set("three", REG_SZ, "hello", 3), ERROR_SUCCESS);
    EXPECT_EQ(storedSize("three"), 3u);
    ASSERT_EQ(set("empty", REG_SZ, "", 0), ERROR_SUCCESS);
    EXPECT_EQ(storedSize("empty"), 0u);
    ASSERT_EQ(set("nuls", REG_SZ, "a\0b\0", 4), ERROR_SUCCESS);
    EXPECT_EQ(storedSize("nuls"), 4u);
    // Other types are stored byte for byte, even a three-byte number.
    ASSERT_EQ(set("binary", REG_BINARY, "hello", 5), ERROR_SUCCESS);
    EXPECT_EQ(storedSize("binary"), 5u);
    ASSERT_EQ(set("short", REG_DWORD, "\1\2\3", 3), ERROR_SUCCESS);
    EXPECT_EQ(storedSize("short"), 3u);
    EXPECT_EQ(RegSetValueExA(key, "null", 0, REG_BINARY, nullptr, 4), ERROR_NOACCESS);
}

TEST_F(RegistryData, UnterminatedStringsReadBackTerminatedWhenThereIsRoom)
{
    ASSERT_EQ(set("three", REG_SZ, "hello", 3), ERROR_SUCCESS);
    ASSERT_EQ(query("three", 8), ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD{REG_SZ});
    EXPECT_EQ(size, 3u);
    EXPECT_STREQ(buffer, "hel");
    ASSERT_EQ(query("three", 3), ERROR_SUCCESS);
    EXPECT_EQ(std::string(buffer, 4), "helx");
    // Binary data never gets a terminator.
    ASSERT_EQ(set("binary", REG_BINARY, "ab", 2), ERROR_SUCCESS);
    ASSERT_EQ(query("binary", 8), ERROR_SUCCESS);
    EXPECT_EQ(std::string(buffer, 3), "abx");
}

TEST_F(RegistryData, TooSmallOrMissing)
{
    ASSERT_EQ(set("greeting", REG_SZ, "hello", 6), ERROR_SUCCESS);
    EXPECT_EQ(query("greeting", 5), ERROR_MORE_DATA);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(type, DWORD{REG_SZ});
    EXPECT_EQ(std::string(buffer, 8), "xxxxxxxx");
    EXPECT_EQ(storedSize("GREETING"), 6u);

    // A zero-byte value succeeds and leaves the buffer alone.
    ASSERT_EQ(set("nothing", REG_BINARY, nullptr, 0), ERROR_SUCCESS);
    EXPECT_EQ(query("nothing", 8), ERROR_SUCCESS);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(buffer[0], 'x');

    // A missing value: the size is left alone with a buffer, and 0 without one.
    EXPECT_EQ(query("missing", 8), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(size, 8u);
    EXPECT_EQ(RegQueryValueExA(key, "missing", nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(size, 0u);

    DWORD reserved = 0;
    EXPECT_EQ(RegQueryValueExA(key, "greeting", &reserved, nullptr, nullptr, &size),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExA(key, "greeting", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer),
                               nullptr),
              ERROR_INVALID_PARAMETER);
}

// A caller may pass one DWORD for both the type and the size: the size is read first, and the
// size is what the variable holds afterwards.
TEST_F(RegistryData, OneVariableForTypeAndSize)
{
    ASSERT_EQ(set("bin32", REG_BINARY, "\1\2\3\4", 4), ERROR_SUCCESS);
    std::memset(buffer, 'x', sizeof buffer);
    DWORD both = sizeof buffer;
    EXPECT_EQ(
        RegQueryValueExA(key, "bin32", nullptr, &both, reinterpret_cast<LPBYTE>(buffer), &both),
        ERROR_SUCCESS);
    EXPECT_EQ(both, 4u);
    EXPECT_EQ(std::string(buffer, 5), std::string("\1\2\3\4x"));

    both = 3;
    EXPECT_EQ(
        RegQueryValueExA(key, "bin32", nullptr, &both, reinterpret_cast<LPBYTE>(buffer), &both),
        ERROR_MORE_DATA);
    EXPECT_EQ(both, 4u);

    char name[8];
    DWORD length = sizeof name;
    both = sizeof buffer;
    EXPECT_EQ(RegEnumValueA(key, 0, name, &length, nullptr, &both, reinterpret_cast<LPBYTE>(buffer),
                            &both),
              ERROR_SUCCESS);
    EXPECT_EQ(both, 4u);
}

} // namespace
