#include "password/IVTPassword.h"
#include "password/VantrelPasswordExports.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ClassObjects.h"
#include "platform/com/ComPtr.h"
#include "platform/registry/winreg.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <cstdlib>
#include <map>

TEST(VTPasswordModule, ClassObjectOnlyForTheControlsClass)
{
    void *object = reinterpret_cast<void *>(1);
    EXPECT_EQ(DllGetClassObject(VTPasswordIds::defaultInterface, IClassFactory::iid, &object),
              CLASS_E_CLASSNOTAVAILABLE);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(DllGetClassObject(VTPasswordIds::control, IClassFactory::iid, nullptr), E_POINTER);
    EXPECT_EQ(DllGetClassObject(VTPasswordIds::control, IVTPassword::iid, &object), E_NOINTERFACE);
    EXPECT_EQ(DllCanUnloadNow(), S_OK); // the refused factory is gone
}

TEST(VTPasswordModule, UnloadsOnlyWhenNoObjectAndNoLockIsAlive)
{
    ComPtr<IClassFactory> factory;
    ASSERT_EQ(DllGetClassObject(VTPasswordIds::control, IClassFactory::iid, factory.put()), S_OK);
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE); // the factory itself
    ComPtr<IVTPassword> control;
    ASSERT_EQ(factory->CreateInstance(nullptr, IVTPassword::iid, control.put()), S_OK);
    factory->LockServer(true);
    factory.reset();
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE);
    control.reset();
    EXPECT_EQ(DllCanUnloadNow(), S_FALSE); // still locked

    ASSERT_EQ(DllGetClassObject(VTPasswordIds::control, IClassFactory::iid, factory.put()), S_OK);
    factory->LockServer(false);
    factory.reset();
    EXPECT_EQ(DllCanUnloadNow(), S_OK);
}

namespace {

// Everything under HKEY_CLASSES_ROOT as "path|value name" -> data.
using Snapshot = std::map<std::string, std::string>;

void snapshotKey(HKEY parent, const std::string &path, Snapshot &out)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(parent, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return;
    out[path + "|<key>"] = "";
    for (DWORD i = 0;; ++i) {
        char name[256];
        DWORD nameLength = sizeof name;
        BYTE data[1024];
        DWORD dataLength = sizeof data;
        DWORD type = 0;
        if (RegEnumValueA(key, i, name, &nameLength, nullptr, &type, data, &dataLength) !=
            ERROR_SUCCESS)
            break;
        out[path + "|" + name] = std::string(reinterpret_cast<char *>(data), dataLength);
    }
    for (DWORD i = 0;; ++i) {
        char name[256];
        if (RegEnumKeyA(key, i, name, sizeof name) != ERROR_SUCCESS)
            break;
        snapshotKey(parent, path.empty() ? name : path + "\\" + name, out);
    }
    RegCloseKey(key);
}

Snapshot snapshot()
{
    Snapshot out;
    snapshotKey(HKEY_CLASSES_ROOT, "", out);
    return out;
}

std::string value(const std::string &path, const char *name = nullptr)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return "<no key>";
    char data[1024] = {};
    DWORD length = sizeof data - 1;
    const LSTATUS status =
        RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE *>(data), &length);
    RegCloseKey(key);
    return status == ERROR_SUCCESS ? std::string(data) : "<no value>";
}

void setValue(const std::string &path, const char *name, const char *data)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CLASSES_ROOT, path.c_str(), &key), ERROR_SUCCESS);
    ASSERT_EQ(RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE *>(data),
                             DWORD(strlen(data) + 1)),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

class VTPasswordRegistration : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        directory = new QTemporaryDir;
        setenv("EMBERCOFFER_REGISTRY", (directory->path() + "/registry.db").toUtf8().constData(),
               1);
    }
    static void TearDownTestSuite() { delete directory; }
    static inline QTemporaryDir *directory = nullptr;

    const std::string clsidKey = "CLSID\\" + VTPasswordIds::control.toString().toStdString();
};

TEST_F(VTPasswordRegistration, RegistersTheClassItsLibraryAndInterfaces)
{
    ASSERT_EQ(DllRegisterServer(), S_OK);
    EXPECT_EQ(value("VantrelPassword.VTPassword\\Clsid"),
              VTPasswordIds::control.toString().toStdString());
    EXPECT_EQ(value(clsidKey + "\\ProgID"), "VantrelPassword.VTPassword");
    const std::string path = value(clsidKey + "\\InprocServer32");
    EXPECT_NE(path.find("VantrelPassword"), std::string::npos) << path;
    EXPECT_EQ(path.front(), '/');
    EXPECT_EQ(value(clsidKey + "\\InprocServer32", "ThreadingModel"), "Apartment");
    EXPECT_EQ(value(clsidKey + "\\MiscStatus\\1"), "132497");
    EXPECT_EQ(value(clsidKey + "\\ToolboxBitmap32"), path + ", 30000");
    EXPECT_EQ(value(clsidKey + "\\Control"), "<no value>");
    EXPECT_EQ(value(clsidKey + "\\TypeLib"), VTPasswordIds::library.toString().toStdString());
    const std::string library =
        "TypeLib\\" + VTPasswordIds::library.toString().toStdString() + "\\1.3";
    EXPECT_EQ(value(library), "VantrelStudio: VantrelPassword Dialog Control 3.0");
    EXPECT_EQ(value(library + "\\409\\win32"), path);
    EXPECT_EQ(value(library + "\\FLAGS"), "2");
    for (const IID &iid : {VTPasswordIds::defaultInterface, VTPasswordIds::defaultInterfaceV0})
        EXPECT_EQ(value("Interface\\" + iid.toString().toStdString()), "_VTPassword");
    EXPECT_EQ(value("Interface\\" + VTPasswordIds::eventInterfaceV2.toString().toStdString()),
              "__VTPassword");
    EXPECT_EQ(DllUnregisterServer(), S_OK);
}

TEST_F(VTPasswordRegistration, UnregisteringLeavesTheStoreAsItWas)
{
    // Others' entries beside and inside the keys the library uses.
    setValue("CLSID\\{00000000-1111-2222-3333-444444444444}", nullptr, "Someone else");
    setValue("Interface\\{00000000-1111-2222-3333-555555555555}", nullptr, "IElse");
    setValue(".ecx", nullptr, "EmberCoffer.File");
    const Snapshot before = snapshot();

    ASSERT_EQ(DllRegisterServer(), S_OK);
    ASSERT_EQ(DllRegisterServer(), S_OK); // registering twice changes nothing more
    EXPECT_GT(snapshot().size(), before.size() + 40);
    ASSERT_EQ(DllUnregisterServer(), S_OK);
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(DllUnregisterServer(), S_OK); // nothing left to remove is no failure
    EXPECT_EQ(snapshot(), before);
}

TEST_F(VTPasswordRegistration, WhatOthersAddUnderTheClassKeySurvivesUnregistering)
{
    ASSERT_EQ(DllRegisterServer(), S_OK);
    setValue(clsidKey + "\\Implemented Categories\\{0DE86A57-2BAA-11CF-A229-00AA003D7352}", nullptr,
             "");
    setValue(clsidKey + "\\InprocServer32", "Note", "kept");
    ASSERT_EQ(DllUnregisterServer(), S_OK);
    EXPECT_EQ(value(clsidKey + "\\InprocServer32", "Note"), "kept");
    EXPECT_EQ(value(clsidKey + "\\InprocServer32"), "<no value>");
    EXPECT_EQ(value(clsidKey + "\\ProgID"), "<no key>");
    EXPECT_EQ(value("VantrelPassword.VTPassword"), "<no key>");
}

TEST_F(VTPasswordRegistration, AHostFindsTheRegisteredClassThroughTheStore)
{
    ComPtr<IClassFactory> factory;
    EXPECT_EQ(getClassObject(VTPasswordIds::control, IClassFactory::iid, factory.put()),
              REGDB_E_CLASSNOTREG);
    ASSERT_EQ(DllRegisterServer(), S_OK);
    ASSERT_EQ(getClassObject(VTPasswordIds::control, IClassFactory::iid, factory.put()), S_OK);
    ComPtr<IVTPassword> control;
    ASSERT_EQ(factory->CreateInstance(nullptr, IVTPassword::iid, control.put()), S_OK);
    factory.reset();
    EXPECT_EQ(freeUnusedLibraries(), 0); // the control is alive
    control.reset();
    EXPECT_EQ(freeUnusedLibraries(), 1);
    ASSERT_EQ(DllUnregisterServer(), S_OK);

    const CLSID missing = *Guid::fromString(u"{0BADF11E-0000-4000-8000-000000000001}");
    setValue("CLSID\\" + missing.toString().toStdString() + "\\InprocServer32", nullptr,
             (directory->path() + "/gone.so").toUtf8().constData());
    EXPECT_EQ(getClassObject(missing, IClassFactory::iid, factory.put()), CO_E_DLLNOTFOUND);
    EXPECT_FALSE(factory);
}

TEST_F(VTPasswordRegistration, AStoreThatCannotBeOpenedFailsRegistrationAndRemoval)
{
    const std::string good = std::getenv("EMBERCOFFER_REGISTRY");
    const QString blocker = directory->path() + "/not-a-folder";
    QFile file(blocker);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    setenv("EMBERCOFFER_REGISTRY", (blocker + "/registry.db").toUtf8().constData(), 1);
    const HRESULT registered = DllRegisterServer();
    const HRESULT unregistered = DllUnregisterServer();
    setenv("EMBERCOFFER_REGISTRY", good.c_str(), 1);
    EXPECT_EQ(registered, SELFREG_E_CLASS);
    EXPECT_EQ(unregistered, SELFREG_E_CLASS); // not "removed" when nothing could be looked at
    EXPECT_EQ(value("VantrelPassword.VTPassword"),
              "<no key>"); // nothing went into the real store either
}

} // namespace
