// Deleting keys and values, handles of deleted keys, and access checked per handle.
#include "tests/registry/TemporaryRegistry.h"

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

} // namespace
