// Paths, names, predefined roots and handles.
#include "tests/registry/TemporaryRegistry.h"

#include <string>

namespace {

class RegistryPaths : public TemporaryRegistry {};

bool keyExists(HKEY root, const char *path)
{
    HKEY key = nullptr;
    const bool found = RegOpenKeyExA(root, path, 0, KEY_READ, &key) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
}

std::string subkeyName(HKEY key, DWORD index)
{
    char name[1100] = {};
    EXPECT_EQ(RegEnumKeyA(key, index, name, sizeof name), ERROR_SUCCESS);
    return name;
}

TEST_F(RegistryPaths, NamesMatchWithoutCaseAndKeepTheirFirstSpelling)
{
    RegCloseKey(createKey("Software\\MixedCase"));
    RegCloseKey(createKey("SOFTWARE\\mixedcase\\Child"));
    EXPECT_EQ(subkeyName(HKEY_CURRENT_USER, 0), "Software");
    HKEY software = createKey("software");
    EXPECT_EQ(subkeyName(software, 0), "MixedCase");
    char name[16];
    EXPECT_EQ(RegEnumKeyA(software, 1, name, sizeof name), ERROR_NO_MORE_ITEMS);
    RegCloseKey(software);

    // Beyond ASCII too: é and É are one letter, while ß and SS stay different names.
    RegCloseKey(createKey("Software\\Café"));
    EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, "software\\CAFÉ"));
    RegCloseKey(createKey("Software\\Straße"));
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, "Software\\STRASSE"));
}

TEST_F(RegistryPaths, BackslashIsTheOnlySeparatorAndMayNotLead)
{
    HKEY key = nullptr;
    EXPECT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "\\Leading", &key), ERROR_BAD_PATHNAME);
    EXPECT_EQ(key, nullptr);
    key = reinterpret_cast<HKEY>(0x1234);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "\\Leading", 0, KEY_READ, &key), ERROR_BAD_PATHNAME);
    EXPECT_EQ(key, nullptr);

    RegCloseKey(createKey("a/b\\c\\\\"));
    EXPECT_TRUE(keyExists(HKEY_CURRENT_USER, "a/b\\c"));
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, "a"));

    // Under the classes root one leading backslash is accepted when opening.
    RegCloseKey(createKey("CLSID", HKEY_CLASSES_ROOT));
    EXPECT_TRUE(keyExists(HKEY_CLASSES_ROOT, "\\CLSID"));
    EXPECT_FALSE(keyExists(HKEY_CLASSES_ROOT, "\\\\CLSID"));
    EXPECT_FALSE(keyExists(HKEY_LOCAL_MACHINE, "CLSID"));
}

TEST_F(RegistryPaths, NameLengthLimitsCountCharacters)
{
    HKEY key = nullptr;
    const std::string longest(255, 'k');
    EXPECT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, (longest + "k").c_str(), &key),
              ERROR_INVALID_PARAMETER);
    // 255 two-byte letters still fit, and enumerate whole.
    std::string accented;
    for (int i = 0; i < 255; ++i)
        accented += "é";
    EXPECT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, accented.c_str(), &key), ERROR_SUCCESS);
    EXPECT_EQ(subkeyName(HKEY_CURRENT_USER, 0), accented);

    const std::string value(16383, 'v');
    EXPECT_EQ(setString(key, value.c_str(), "x"), ERROR_SUCCESS);
    EXPECT_EQ(setString(key, (value + "v").c_str(), "x"), ERROR_INVALID_PARAMETER);
    RegCloseKey(key);
}

TEST_F(RegistryPaths, PredefinedRootsAndInvalidHandles)
{
    HKEY same = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_USERS, "", 0, KEY_READ, &same), ERROR_SUCCESS);
    EXPECT_EQ(same, HKEY_USERS);
    // The five roots are separate trees; only the low 32 bits of a root's value count.
    RegCloseKey(createKey("OnlyHere", HKEY_CURRENT_CONFIG));
    for (HKEY other : {HKEY_CLASSES_ROOT, HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE, HKEY_USERS})
        EXPECT_FALSE(keyExists(other, "OnlyHere"));
    const auto withHighBits = [](std::uintptr_t low) {
        return reinterpret_cast<HKEY>((std::uintptr_t{0x12345678} << 32) | low);
    };
    for (HKEY config :
         {reinterpret_cast<HKEY>(std::uintptr_t{0x80000005u}), withHighBits(0x80000005u)})
        EXPECT_TRUE(keyExists(config, "OnlyHere"));
    EXPECT_FALSE(keyExists(withHighBits(0x80000002u), "OnlyHere"));
    EXPECT_EQ(RegCloseKey(withHighBits(0x80000001u)), ERROR_SUCCESS);

    // A null handle leaves the result alone; any other invalid handle clears it.
    const HKEY made = reinterpret_cast<HKEY>(0x4444);
    const HKEY unknownRoot =
        reinterpret_cast<HKEY>(static_cast<std::intptr_t>(static_cast<LONG>(0x80000007)));
    HKEY closed = createKey("Closed");
    EXPECT_EQ(RegCloseKey(closed), ERROR_SUCCESS);
    for (HKEY bad : {HKEY(nullptr), unknownRoot, made, closed}) {
        HKEY created = made;
        HKEY opened = made;
        EXPECT_EQ(RegCreateKeyA(bad, "x", &created), ERROR_INVALID_HANDLE);
        EXPECT_EQ(RegOpenKeyExA(bad, "", 0, KEY_READ, &opened), ERROR_INVALID_HANDLE);
        EXPECT_EQ(created, bad == nullptr ? made : nullptr);
        EXPECT_EQ(opened, bad == nullptr ? made : nullptr);
    }
    for (HKEY bad : {HKEY(nullptr), made, closed})
        EXPECT_EQ(RegCloseKey(bad), ERROR_INVALID_HANDLE);
    EXPECT_EQ(RegCloseKey(HKEY_LOCAL_MACHINE), ERROR_SUCCESS);
    EXPECT_EQ(RegCloseKey(unknownRoot), ERROR_SUCCESS);
}

TEST_F(RegistryPaths, CreateAndOpenGiveNewHandles)
{
    HKEY parent = createKey("Parent");
    HKEY self = createKey("", parent);
    EXPECT_NE(self, parent);
    // On a root, no path gives back the root itself, an empty path a handle of its own.
    HKEY root = nullptr;
    EXPECT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, nullptr, &root), ERROR_SUCCESS);
    EXPECT_EQ(root, HKEY_CURRENT_USER);
    EXPECT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "", &root), ERROR_SUCCESS);
    EXPECT_NE(root, HKEY_CURRENT_USER);
    EXPECT_EQ(subkeyName(root, 0), "Parent");
    EXPECT_EQ(RegCloseKey(root), ERROR_SUCCESS);
    HKEY once = nullptr;
    HKEY twice = nullptr;
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Parent", 0, KEY_READ, &once), ERROR_SUCCESS);
    EXPECT_EQ(RegOpenKeyExA(parent, nullptr, 0, KEY_READ, &twice), ERROR_SUCCESS);
    EXPECT_NE(once, twice);
    EXPECT_NE(twice, parent);
    for (HKEY key : {parent, self, once, twice})
        EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);

    HKEY missing = reinterpret_cast<HKEY>(0x1234);
    EXPECT_EQ(RegOpenKeyExA(HKEY_CURRENT_USER, "Parent\\Nope\\Deeper", 0, KEY_READ, &missing),
              ERROR_FILE_NOT_FOUND);
    EXPECT_EQ(missing, nullptr);
    EXPECT_FALSE(keyExists(HKEY_CURRENT_USER, "Parent\\Nope"));
}

} // namespace
