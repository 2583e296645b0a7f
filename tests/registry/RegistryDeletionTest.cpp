// Deleting keys, trees and values, handles of deleted keys, and access checked per handle.
#include "tests/registry/TemporaryRegistry.h"

#include <string>

namespace {

class RegistryDeletion : public TemporaryRegistry {};

TEST_F(RegistryDeletion, KeysWithSubkeysStayAndPathsWork)
{
    RegCloseKey(createKey("Tree\\Branch\\Leaf"));
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Tree"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Tree\\Branch"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "tree\\branch\\leaf"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Tree\\Branch\\Leaf"), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, nullptr), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, ""), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Tree\\Branch"), ERROR_SUCCESS);

    HKEY tree = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Tree", 0, KEY_READ, &tree), ERROR_SUCCESS);
    ASSERT_EQ(RegDeleteKeyA(tree, ""), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(tree), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Tree", 0, KEY_READ, &tree), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryDeletion, HandlesOfDeletedKeysReportItUntilClosed)
{
    HKEY doomed = createKey("Doomed");
    ASSERT_EQ(setString(doomed, "v", "x"), ERROR_SUCCESS);
    HKEY other = createKey("Doomed");
    ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Doomed"), ERROR_SUCCESS);

    char buffer[8];
    DWORD size = sizeof buffer;
    HKEY child = reinterpret_cast<HKEY>(0x99);
    EXPECT_EQ(RegQueryValueExA(doomed, "v", nullptr, nullptr, nullptr, &size), ERROR_KEY_DELETED);
    EXPECT_EQ(setString(doomed, "v", "y"), ERROR_KEY_DELETED);
    EXPECT_EQ(RegDeleteValueA(doomed, "v"), ERROR_KEY_DELETED);
    EXPECT_EQ(RegEnumKeyA(doomed, 0, buffer, sizeof buffer), ERROR_KEY_DELETED);
    EXPECT_EQ(RegEnumValueA(doomed, 0, buffer, &size, nullptr, nullptr, nullptr, nullptr),
              ERROR_KEY_DELETED);
    EXPECT_EQ(RegCreateKeyA(doomed, "child", &child), ERROR_KEY_DELETED);
    EXPECT_EQ(child, nullptr);
    EXPECT_EQ(RegOpenKeyExA(doomed, "", 0, KEY_READ, &child), ERROR_KEY_DELETED);
    EXPECT_EQ(RegDeleteKeyA(doomed, ""), ERROR_KEY_DELETED);

    // A key of the same name made afterwards is another key: old handles stay stale.
    RegCloseKey(createKey("Doomed"));
    EXPECT_EQ(setString(other, "v", "y"), ERROR_KEY_DELETED);
    EXPECT_EQ(RegCloseKey(doomed), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(other), ERROR_SUCCESS);
}

TEST_F(RegistryDeletion, DeletingValues)
{
    HKEY key = createKey("Values");
    ASSERT_EQ(setString(key, "", "default"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(key, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(key, ""), ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(setString(key, "Named", "x"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(key, "NAMED"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteValueA(key, "Named"), ERROR_FILE_NOT_FOUND);
    RegCloseKey(key);
}

TEST_F(RegistryDeletion, AccessIsCheckedPerHandle)
{
    RegCloseKey(createKey("Guarded\\Inner"));
    HKEY reader = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Guarded", 0, KEY_READ, &reader), ERROR_SUCCESS);
    EXPECT_EQ(setString(reader, "v", "x"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteValueA(reader, "v"), ERROR_ACCESS_DENIED);
    DWORD size = 0;
    EXPECT_EQ(RegQueryValueExA(reader, "v", nullptr, nullptr, nullptr, &size),
              ERROR_FILE_NOT_FOUND);

    // Creating and deleting subkeys does not depend on the parent handle's rights.
    HKEY queryOnly = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Guarded", 0, KEY_QUERY_VALUE, &queryOnly),
              ERROR_SUCCESS);
    HKEY created = nullptr;
    EXPECT_EQ(RegCreateKeyA(queryOnly, "New", &created), ERROR_SUCCESS);
    EXPECT_EQ(setString(created, "v", "x"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteKeyA(queryOnly, "Inner"), ERROR_SUCCESS);
    char name[8];
    EXPECT_EQ(RegEnumKeyA(queryOnly, 0, name, sizeof name), ERROR_ACCESS_DENIED);

    HKEY writer = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Guarded", 0, KEY_SET_VALUE, &writer),
              ERROR_SUCCESS);
    EXPECT_EQ(setString(writer, "v", "x"), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(writer, "v", nullptr, nullptr, nullptr, &size), ERROR_ACCESS_DENIED);
    for (HKEY key : {reader, queryOnly, created, writer})
        RegCloseKey(key);
}

TEST_F(RegistryDeletion, GenericRightsAndTheOrderOfChecks)
{
    RegCloseKey(createKey("Generic"));
    const auto rights = [](REGSAM access) {
        HKEY key = nullptr;
        EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Generic", 0, access, &key), ERROR_SUCCESS);
        DWORD size = 0;
        char name[8];
        std::string granted;
        granted += setString(key, "v", "x") == ERROR_SUCCESS ? 'w' : '-';
        granted +=
            RegQueryValueExA(key, "v", nullptr, nullptr, nullptr, &size) != ERROR_ACCESS_DENIED
                ? 'r'
                : '-';
        granted += RegEnumKeyA(key, 0, name, sizeof name) != ERROR_ACCESS_DENIED ? 'e' : '-';
        RegCloseKey(key);
        return granted;
    };
    EXPECT_EQ(rights(GENERIC_READ), "-re");
    EXPECT_EQ(rights(GENERIC_EXECUTE), "-re");
    EXPECT_EQ(rights(GENERIC_WRITE), "w--");
    EXPECT_EQ(rights(GENERIC_ALL), "wre");
    EXPECT_EQ(rights(GENERIC_READ | KEY_SET_VALUE), "wre");

    // A handle's rights are checked before its key is looked at; a value name that no value
    // can have is simply not found.
    HKEY reader = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Generic", 0, KEY_READ, &reader), ERROR_SUCCESS);
    const std::string tooLong(16384, 'n');
    EXPECT_EQ(RegQueryValueExA(reader, tooLong.c_str(), nullptr, nullptr, nullptr, nullptr),
              ERROR_FILE_NOT_FOUND);
    ASSERT_EQ(RegDeleteKeyA(HKEY_CURRENT_USER, "Generic"), ERROR_SUCCESS);
    EXPECT_EQ(setString(reader, "v", "x"), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegQueryValueExA(reader, "v", nullptr, nullptr, nullptr, nullptr), ERROR_KEY_DELETED);
    RegCloseKey(reader);
}

TEST_F(RegistryDeletion, TreesGoWholeOrNotAtAll)
{
    HKEY top = createKey("Top");
    ASSERT_EQ(setString(top, "v", "x"), ERROR_SUCCESS);
    HKEY inner = createKey("Top\\Wide\\Deep");
    for (int i = 0; i < 20; ++i)
        RegCloseKey(createKey(("Top\\Wide\\k" + std::to_string(i)).c_str()));

    // Emptying a key through a handle that may not change its values deletes nothing.
    HKEY reader = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Top", 0, KEY_READ, &reader), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteTreeA(reader, nullptr), ERROR_ACCESS_DENIED);
    EXPECT_EQ(RegDeleteTreeA(reader, ""), ERROR_ACCESS_DENIED);
    char name[8];
    EXPECT_EQ(RegEnumKeyA(reader, 0, name, sizeof name), ERROR_SUCCESS);
    // A named subkey goes with everything below it, whatever the parent handle may do.
    EXPECT_EQ(RegDeleteTreeA(reader, "WIDE\\"), ERROR_SUCCESS);
    EXPECT_EQ(RegEnumKeyA(reader, 0, name, sizeof name), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(setString(inner, "v", "x"), ERROR_KEY_DELETED);
    EXPECT_EQ(RegDeleteTreeA(reader, "Wide"), ERROR_FILE_NOT_FOUND);

    // An empty path empties the key and keeps it; a root keeps itself too.
    RegCloseKey(createKey("Top\\Again"));
    EXPECT_EQ(RegDeleteTreeA(top, ""), ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(top, "v", nullptr, nullptr, nullptr, nullptr), ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(RegEnumKeyA(top, 0, name, sizeof name), ERROR_NO_MORE_ITEMS);
    EXPECT_EQ(setString(top, "w", "x"), ERROR_SUCCESS);
    EXPECT_EQ(RegDeleteTreeA(HKEY_CURRENT_USER, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(setString(top, "w", "x"), ERROR_KEY_DELETED);
    RegCloseKey(createKey("After"));
    for (HKEY key : {top, inner, reader})
        EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

// A store edited by hand so that a key's parent is its own grandchild: emptying the key ends,
// and leaves the roots alone.
TEST_F(RegistryDeletion, TreeDeletionEndsOnKeysEditedIntoACircle)
{
    HKEY ring = createKey("Ring");
    RegCloseKey(createKey("Ring\\Child\\Grandchild"));
    editStore("UPDATE registry_keys SET parent = "
              "(SELECT id FROM registry_keys WHERE name = 'Grandchild') WHERE name = 'Ring'");
    EXPECT_EQ(RegDeleteTreeA(ring, nullptr), ERROR_SUCCESS);
    EXPECT_EQ(queryStore("SELECT group_concat(name) FROM registry_keys WHERE parent IS NOT NULL"),
              "Ring");
    EXPECT_EQ(queryStore("SELECT count(*) FROM registry_keys WHERE parent IS NULL"), "5");
    EXPECT_EQ(setString(ring, "v", "x"), ERROR_SUCCESS);
    RegCloseKey(ring);
}

} // namespace
