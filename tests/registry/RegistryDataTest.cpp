// String sizes and terminators, and what a query writes when the buffer is too small.
#include "TemporaryRegistry.h"

#include <cstring>
#include <vector>

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

    DWORD storedSize(const char *name)
    {
        DWORD size = 0;
        EXPECT_EQ(RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
        return size;
    }

    HKEY key = nullptr;
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
    char buffer[8];
    std::memset(buffer, 'x', sizeof buffer);
    DWORD size = sizeof buffer;
    DWORD type = 0;
    ASSERT_EQ(RegQueryValueExA(key, "three", nullptr, &type, reinterpret_cast<LPBYTE>(buffer),
                               &size),
              ERROR_SUCCESS);
    EXPECT_EQ(type, DWORD{REG_SZ});
    EXPECT_EQ(size, 3u);
    EXPECT_STREQ(buffer, "hel");

    std::memset(buffer, 'x', sizeof buffer);
    size = 3;
    ASSERT_EQ(RegQueryValueExA(key, "three", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer),
                               &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::string(buffer, 4), "helx");

    // Binary data never gets a terminator.
    ASSERT_EQ(set("binary", REG_BINARY, "ab", 2), ERROR_SUCCESS);
    std::memset(buffer, 'x', sizeof buffer);
    size = sizeof buffer;
    ASSERT_EQ(RegQueryValueExA(key, "binary", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer),
                               &size),
              ERROR_SUCCESS);
    EXPECT_EQ(std::string(buffer, 3), "abx");
}

TEST_F(RegistryData, TooSmallBufferIsLeftAloneAndLearnsTheSize)
{
    ASSERT_EQ(set("greeting", REG_SZ, "hello", 6), ERROR_SUCCESS);
    char buffer[5];
    std::memset(buffer, 'x', sizeof buffer);
    DWORD size = sizeof buffer;
    DWORD type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "greeting", nullptr, &type, reinterpret_cast<LPBYTE>(buffer),
                               &size),
              ERROR_MORE_DATA);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(type, DWORD{REG_SZ});
    EXPECT_EQ(std::string(buffer, 5), "xxxxx");

    // Asking without a buffer gives the size and type.
    size = 0;
    type = 0;
    EXPECT_EQ(RegQueryValueExA(key, "GREETING", nullptr, &type, nullptr, &size), ERROR_SUCCESS);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(type, DWORD{REG_SZ});

    // A zero-byte value succeeds and leaves the buffer alone.
    ASSERT_EQ(set("nothing", REG_BINARY, nullptr, 0), ERROR_SUCCESS);
    size = sizeof buffer;
    EXPECT_EQ(RegQueryValueExA(key, "nothing", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer),
                               &size),
              ERROR_SUCCESS);
    EXPECT_EQ(size, 0u);
    EXPECT_EQ(std::string(buffer, 5), "xxxxx");
}

TEST_F(RegistryData, MissingValuesAndBadArguments)
{
    DWORD size = 99;
    EXPECT_EQ(RegQueryValueExA(key, "missing", nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(size, 0u);
    char buffer[4] = "abc";
    size = sizeof buffer;
    EXPECT_EQ(RegQueryValueExA(key, "missing", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer),
                               &size),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(size, 4u);

    DWORD reserved = 0;
    EXPECT_EQ(RegQueryValueExA(key, "missing", &reserved, nullptr, nullptr, &size),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegQueryValueExA(key, "missing", nullptr, nullptr, reinterpret_cast<LPBYTE>(buffer),
                               nullptr),
              ERROR_INVALID_PARAMETER);
}

TEST_F(RegistryData, DefaultValueAndReplacingUnderAnotherCase)
{
    ASSERT_EQ(set(nullptr, REG_SZ, "default", 8), ERROR_SUCCESS);
    EXPECT_EQ(storedSize(""), 8u);
    ASSERT_EQ(set("Colour", REG_SZ, "red", 4), ERROR_SUCCESS);
    ASSERT_EQ(set("COLOUR", REG_DWORD, "\7\0\0\0", 4), ERROR_SUCCESS);
    char name[16];
    DWORD nameLength = sizeof name;
    DWORD type = 0;
    ASSERT_EQ(RegEnumValueA(key, 1, name, &nameLength, nullptr, &type, nullptr, nullptr),
              ERROR_SUCCESS);
    EXPECT_STREQ(name, "Colour");
    EXPECT_EQ(type, DWORD{REG_DWORD});
    EXPECT_EQ(RegEnumValueA(key, 2, name, &nameLength, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);
}

TEST_F(RegistryData, LargeValuesAreStoredWhole)
{
    std::vector<char> big(3 * 1024 * 1024, 'z');
    ASSERT_EQ(set("big", REG_BINARY, big.data(), static_cast<DWORD>(big.size())), ERROR_SUCCESS);
    std::vector<char> back(big.size());
    DWORD size = static_cast<DWORD>(back.size());
    ASSERT_EQ(RegQueryValueExA(key, "big", nullptr, nullptr, reinterpret_cast<LPBYTE>(back.data()),
                               &size),
              ERROR_SUCCESS);
    EXPECT_EQ(back, big);
}

} // namespace
