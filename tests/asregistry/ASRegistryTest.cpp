// ASRegistry's ten operations over a temporary store.
#include "app/registry/ASRegistry.h"
#include "tests/registry/TemporaryRegistry.h"

namespace {

class ASRegistryOperations : public TemporaryRegistry {
protected:
    QVariant write(qint32 type, QString name, QString data, QString key = "Software\\Test")
    {
        return registry.WriteValue(root, key, type, name, data);
    }
    QVariant read(QString name, QString key = "Software\\Test")
    {
        return registry.ReadValue(root, key, name);
    }
    bool exists(QString name, QString key = "Software\\Test")
    {
        return isTrue(registry.ValueExist(root, key, name));
    }
    QVariant typeOf(QString name, QString key = "Software\\Test")
    {
        return registry.ReadDataType(root, key, name);
    }
    void setRaw(const char *name, DWORD type, const std::string &bytes)
    {
        HKEY key = createKey("Software\\Test", HKEY_LOCAL_MACHINE);
        ASSERT_EQ(RegSetValueExA(key, name, 0, type, reinterpret_cast<const BYTE *>(bytes.data()),
                                 static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
        RegCloseKey(key);
    }

    ASRegistry registry;
    qint32 root = ASRegistry::handleValue(HKEY_LOCAL_MACHINE);
};

TEST_F(ASRegistryOperations, StatusesAndBooleans)
{
    QString key = "Software\\Made";
    EXPECT_EQ(registry.CreateKey(root, key), QVariant(qint32{0}));
    EXPECT_EQ(registry.KeyExist(root, key), VTrue);
    QString missing = "Software\\Absent";
    EXPECT_EQ(registry.KeyExist(root, missing), VFalse);
    qint32 bogus = 0x1234;
    EXPECT_EQ(registry.CreateKey(bogus, key), QVariant(qint32{ERROR_INVALID_HANDLE}));
    EXPECT_EQ(registry.DeleteKey(root, key), QVariant(qint32{0}));
    EXPECT_EQ(registry.DeleteKey(root, key), QVariant(qint32{ERROR_FILE_NOT_FOUND}));
}

TEST_F(ASRegistryOperations, TextRoundTripsWhole)
{
    for (const QString &text : {QString(), QString("plain"), QString("Grüße, 日本語 😀")}) {
        EXPECT_EQ(write(REG_SZ, "Password", text), QVariant(qint32{0}));
        EXPECT_EQ(read("Password"), QVariant(text));
        EXPECT_TRUE(exists("Password"));
        EXPECT_EQ(typeOf("Password"), QVariant(qint32{REG_SZ}));
    }
    // A text passed by reference comes back as its own round trip.
    QString key = "Software\\Test";
    QString name = QString("bad") + QChar(0xD800);
    QString data = "x";
    qint32 type = REG_SZ;
    registry.WriteValue(root, key, type, name, data);
    EXPECT_EQ(name, "bad?");
    EXPECT_EQ(read(name), QVariant("x"));
}

// A value of any size exists and reads back whole: a long application password must not
// read as "no password".
TEST_F(ASRegistryOperations, LongValuesExistAndReadWhole)
{
    for (const int length : {254, 255, 256, 5000}) {
        const QString password(length, QChar('s'));
        write(REG_SZ, "Password", password);
        EXPECT_TRUE(exists("Password")) << length;
        EXPECT_EQ(read("Password"), QVariant(password)) << length;
    }
    setRaw("empty", REG_SZ, "");
    EXPECT_TRUE(exists("empty"));
    EXPECT_EQ(read("empty"), QVariant(QString()));
    EXPECT_FALSE(exists("missing"));
    EXPECT_FALSE(exists("Password", "Software\\Elsewhere"));
}

TEST_F(ASRegistryOperations, NumbersAndBinaryData)
{
    write(REG_DWORD, "Seven", "7");
    EXPECT_EQ(read("Seven"), QVariant("7"));
    write(REG_DWORD, "Negative", " -2147483648 ");
    EXPECT_EQ(read("Negative"), QVariant("-2147483648"));
    EXPECT_EQ(typeOf("Negative"), QVariant(qint32{REG_DWORD}));
    setRaw("Short", REG_DWORD, std::string("\x01\x01", 2));
    EXPECT_EQ(read("Short"), QVariant("257"));

    QString everyByte;
    for (int code = 0; code < 256; ++code)
        everyByte += QChar(code);
    write(REG_BINARY, "Bytes", everyByte);
    EXPECT_EQ(read("Bytes"), QVariant(everyByte));
    EXPECT_EQ(typeOf("Bytes"), QVariant(qint32{REG_BINARY}));
    write(REG_BINARY, "Longest", QString(32767, QChar('b')));
    EXPECT_EQ(read("Longest").toString().size(), 32767);
}

TEST_F(ASRegistryOperations, UnconvertibleDataRaises)
{
    auto raises = [&](qint32 type, const QString &data, int number) {
        try {
            write(type, "Bad", data);
            ADD_FAILURE() << "no failure for " << data.toStdString();
        } catch (const ASRegistryError &error) {
            EXPECT_EQ(error.number(), number) << data.toStdString();
        }
    };
    raises(REG_DWORD, "seven", ASRegistryError::TypeMismatch);
    raises(REG_DWORD, "", ASRegistryError::TypeMismatch);
    raises(REG_DWORD, "2147483648", ASRegistryError::Overflow);
    raises(REG_BINARY, "", ASRegistryError::InvalidArgument);
    raises(REG_BINARY, QString(32768, QChar('b')), ASRegistryError::InvalidArgument);
    raises(REG_BINARY, "snow ☃", ASRegistryError::Overflow);
    EXPECT_FALSE(exists("Bad"));
}

TEST_F(ASRegistryOperations, OtherTypesAreNeitherWrittenNorRead)
{
    EXPECT_EQ(write(2, "Expand", "x", "Software\\TypeTwo"), QVariant(qint32{0}));
    QString key = "Software\\TypeTwo";
    EXPECT_EQ(registry.KeyExist(root, key), VTrue);
    EXPECT_FALSE(exists("Expand", key));

    setRaw("Expand", REG_EXPAND_SZ, std::string("%HOME%", 7));
    EXPECT_TRUE(exists("Expand"));
    EXPECT_FALSE(read("Expand").isValid());
    EXPECT_FALSE(typeOf("Expand").isValid());
    EXPECT_FALSE(read("missing").isValid());
    EXPECT_FALSE(typeOf("missing").isValid());
}

TEST_F(ASRegistryOperations, DeleteValueReportsTheDeletesStatus)
{
    write(REG_SZ, "Password", "x");
    QString key = "Software\\Test";
    QString name = "Password";
    EXPECT_EQ(registry.DeleteValue(root, key, name), QVariant(qint32{0}));
    EXPECT_EQ(registry.DeleteValue(root, key, name), QVariant(qint32{ERROR_FILE_NOT_FOUND}));
    // When the key cannot be opened, the delete runs on no key at all.
    QString absent = "Software\\Absent";
    EXPECT_EQ(registry.DeleteValue(root, absent, name), QVariant(qint32{ERROR_INVALID_HANDLE}));
}

TEST_F(ASRegistryOperations, ListKeysFillsTheInstancesCollection)
{
    for (const char *name : {"Software\\List\\beta", "Software\\List\\Alpha"}) {
        QString key = name;
        registry.CreateKey(root, key);
    }
    ASRegistry fresh;
    EXPECT_EQ(fresh.ListKeys(root, "Software\\Absent"), nullptr);

    const auto keys = registry.ListKeys(root, "Software\\List");
    ASSERT_NE(keys, nullptr);
    ASSERT_EQ(keys->Count(), 2);
    EXPECT_EQ(keys->Item(1)->KeyNames, "Alpha");
    EXPECT_EQ(keys->Item(2)->KeyNames, "beta");
    EXPECT_EQ(registry.ListKeys(root, "Software\\List"), keys);
    EXPECT_EQ(keys->Count(), 4);
    EXPECT_EQ(keys->Item(3)->KeyNames, "Alpha");

    // An empty subkey lists the root itself.
    EXPECT_EQ(fresh.ListKeys(root, "")->Item(1)->KeyNames, "Software");
}

TEST_F(ASRegistryOperations, ListValuesGivesUsableValuesWhole)
{
    ASRegistry fresh;
    const auto none = fresh.ListValues(root, "Software\\Absent");
    ASSERT_NE(none, nullptr);
    EXPECT_EQ(none->Count(), 0);

    const QString longName(300, QChar('n'));
    const QString longData(1000, QChar('d'));
    write(REG_SZ, longName, longData);
    write(REG_DWORD, "Number", "42");
    write(REG_BINARY, "Raw", "ab");
    setRaw("Empty", REG_BINARY, "");
    setRaw("Expand", REG_EXPAND_SZ, "x");
    setRaw("Cut", REG_SZ, "unterminated");

    const auto values = registry.ListValues(root, "Software\\Test");
    ASSERT_EQ(values->Count(), 4);
    EXPECT_EQ(values->Item(1)->ValueName, longName);
    EXPECT_EQ(values->Item(1)->ValueData, QVariant(longData));
    EXPECT_EQ(values->Item(1)->DataType, REG_SZ);
    EXPECT_EQ(values->Item(2)->ValueData, QVariant("42"));
    EXPECT_EQ(values->Item(2)->DataType, REG_DWORD);
    EXPECT_EQ(values->Item(3)->ValueData, QVariant("ab"));
    EXPECT_EQ(values->Item(4)->ValueData, QVariant("unterminated"));

    EXPECT_EQ(registry.ListValues(root, "Software\\Test"), values);
    EXPECT_EQ(values->Count(), 8);
    EXPECT_EQ(values->Item(5)->ValueName, longName);
}

} // namespace
