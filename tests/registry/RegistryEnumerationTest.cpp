// Enumeration: order, the end, and the buffer rules of both enumerators.
#include "platform/registry/RegistryStore.h"
#include "tests/registry/TemporaryRegistry.h"

#include <cstring>
#include <string>
#include <vector>

namespace {

class RegistryEnumeration : public TemporaryRegistry {
protected:
    void SetUp() override
    {
        TemporaryRegistry::SetUp();
        key = createKey("List");
    }
    void TearDown() override
    {
        RegCloseKey(key);
        TemporaryRegistry::TearDown();
    }

    std::vector<std::string> subkeys()
    {
        std::vector<std::string> names;
        char name[300];
        for (DWORD i = 0; RegEnumKeyA(key, i, name, sizeof name) == ERROR_SUCCESS; ++i)
            names.push_back(name);
        return names;
    }

    std::vector<std::string> valueNames()
    {
        std::vector<std::string> names;
        char name[300];
        DWORD length = sizeof name;
        for (DWORD i = 0; RegEnumValueA(key, i, name, &length, nullptr, nullptr, nullptr,
                                        nullptr) == ERROR_SUCCESS;
             ++i, length = sizeof name)
            names.push_back(name);
        return names;
    }

    HKEY key = nullptr;
};

TEST_F(RegistryEnumeration, SubkeysSortWithoutCaseAndPunctuationAfterLetters)
{
    for (const char *name :
         {"_under", "beta", "Zulu", "[bracket", "Alpha", "`tick", "1one", "^caret", "]close"})
        RegCloseKey(createKey((std::string(name) + "\\").c_str(), key));
    EXPECT_EQ(subkeys(), (std::vector<std::string>{"1one", "Alpha", "beta", "Zulu", "[bracket",
                                                   "]close", "^caret", "_under", "`tick"}));
    char name[8] = "keep";
    EXPECT_EQ(RegEnumKeyA(key, 9, name, sizeof name), ERROR_NO_MORE_ITEMS);
    // A buffer not larger than the name is refused and left alone.
    EXPECT_EQ(RegEnumKeyA(key, 1, name, 5), ERROR_MORE_DATA);
    EXPECT_STREQ(name, "keep");
    EXPECT_EQ(RegEnumKeyA(key, 1, name, 6), ERROR_SUCCESS);
    EXPECT_STREQ(name, "Alpha");
}

TEST_F(RegistryEnumeration, ValuesKeepCreationOrderAndTheirPlaceWhenChanged)
{
    for (const char *name : {"zebra", "apple", "Mango"})
        ASSERT_EQ(setString(key, name, "x"), ERROR_SUCCESS);
    ASSERT_EQ(setString(key, "APPLE", "changed"), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteValueA(key, "zebra"), ERROR_SUCCESS);
    ASSERT_EQ(setString(key, "zebra", "again"), ERROR_SUCCESS);
    EXPECT_EQ(valueNames(), (std::vector<std::string>{"apple", "Mango", "zebra"}));
}

TEST_F(RegistryEnumeration, ValueDataIsCheckedBeforeTheName)
{
    ASSERT_EQ(setString(key, "LongName", "hello"), ERROR_SUCCESS);
    char name[16];
    char data[16];
    std::memset(name, 'n', sizeof name);
    std::memset(data, 'd', sizeof data);
    DWORD nameLength = sizeof name;
    DWORD size = 3;
    DWORD type = 0;
    auto enumerate = [&] {
        return RegEnumValueA(key, 0, name, &nameLength, nullptr, &type,
                             reinterpret_cast<LPBYTE>(data), &size);
    };

    // Data too small: nothing written, the sizes tell what is needed.
    EXPECT_EQ(enumerate(), ERROR_MORE_DATA);
    EXPECT_EQ(size, 6u);
    EXPECT_EQ(nameLength, 16u);
    EXPECT_EQ(type, DWORD{REG_SZ});
    EXPECT_EQ(name[0], 'n');
    EXPECT_EQ(data[0], 'd');

    // Data fits, name does not: the data is written and the name cut.
    nameLength = 5;
    size = sizeof data;
    EXPECT_EQ(enumerate(), ERROR_MORE_DATA);
    EXPECT_STREQ(data, "hello");
    EXPECT_EQ(size, 6u);
    EXPECT_STREQ(name, "Long");
    EXPECT_EQ(nameLength, 5u);

    // Both fit: the name length without its terminator, the data size with it.
    nameLength = 9;
    EXPECT_EQ(enumerate(), ERROR_SUCCESS);
    EXPECT_STREQ(name, "LongName");
    EXPECT_EQ(nameLength, 8u);
    EXPECT_EQ(size, 6u);

    EXPECT_EQ(RegEnumValueA(key, 1, name, &nameLength, nullptr, nullptr, nullptr, nullptr),
              ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(RegEnumValueA(key, 0, nullptr, &nameLength, nullptr, nullptr, nullptr, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegEnumValueA(key, 0, name, nullptr, nullptr, nullptr, nullptr, nullptr),
              ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegEnumValueA(key, 0, name, &nameLength, nullptr, nullptr,
                            reinterpret_cast<LPBYTE>(data), nullptr),
              ERROR_INVALID_PARAMETER);
}

// Each index means what it means in the store at the time of the call, whoever changed the
// key since the last one; a size beyond what the store holds is refused before it is read.
TEST_F(RegistryEnumeration, ListsStayRightWhileTheKeyChangesAndHugeSizesAreRefused)
{
    for (const char *name : {"k1", "k2", "k3"})
        RegCloseKey(createKey(name, key));
    char subkey[8];
    ASSERT_EQ(RegEnumKeyA(key, 0, subkey, sizeof subkey), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteKeyA(key, "k1"), ERROR_SUCCESS);
    EXPECT_EQ(RegEnumKeyA(key, 0, subkey, sizeof subkey), ERROR_SUCCESS);
    EXPECT_STREQ(subkey, "k2");
    editStore("DELETE FROM registry_keys WHERE name = 'k2'"); // another process
    EXPECT_EQ(RegEnumKeyA(key, 0, subkey, sizeof subkey), ERROR_SUCCESS);
    EXPECT_STREQ(subkey, "k3");
    EXPECT_EQ(RegEnumKeyA(key, 1, subkey, sizeof subkey), ERROR_NO_MORE_ITEMS);

    for (const char *name : {"a", "b", "c", "d"})
        ASSERT_EQ(setString(key, name, name), ERROR_SUCCESS);
    auto nameAt = [this](DWORD index) {
        char name[8];
        DWORD length = sizeof name;
        return RegEnumValueA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) ==
                       ERROR_SUCCESS
                   ? std::string(name)
                   : std::string("<end>");
    };
    EXPECT_EQ(nameAt(0), "a");
    EXPECT_EQ(nameAt(1), "b");
    ASSERT_EQ(RegDeleteValueA(key, "a"), ERROR_SUCCESS);
    EXPECT_EQ(nameAt(1), "c");
    editStore("DELETE FROM registry_values WHERE name = 'c'"); // another process
    EXPECT_EQ(nameAt(1), "d");
    ASSERT_EQ(setString(key, "e", "e"), ERROR_SUCCESS);
    EXPECT_EQ(nameAt(2), "e");
    EXPECT_EQ(nameAt(3), "<end>");

    const BYTE few[4] = {};
    for (const DWORD size : {registry::MaxValueSize + 1, DWORD{0x80000000u}, DWORD{0xFFFFFFFFu}})
        EXPECT_EQ(RegSetValueExA(key, "huge", 0, REG_BINARY, few, size), ERROR_NOT_ENOUGH_MEMORY)
            << size;
    EXPECT_EQ(nameAt(3), "<end>");
}

} // namespace
