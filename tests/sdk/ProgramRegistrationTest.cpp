#include <QFileInfo>
#include <gtest/gtest.h>

#include "app/ControlRegistration.h"
#include "password/VTPasswordIds.h"
#include "platform/com/ClassObjects.h"
#include "platform/registry/winreg.h"
#include "tests/TestPaths.h"
#include "tests/registry/TemporaryRegistry.h"

namespace {

QString registered() { return QString::fromStdString(registeredLibrary(VTPasswordIds::control)); }

QByteArray classKey(const char *subkey)
{
    return ("CLSID\\" + VTPasswordIds::control.toString() + "\\" + subkey).toUtf8();
}

// Sets the default value of a key under HKEY_CLASSES_ROOT.
void setDefault(const QByteArray &path, const QByteArray &text)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegOpenKeyExA(HKEY_CLASSES_ROOT, path.constData(), 0, KEY_ALL_ACCESS, &key),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExA(key, nullptr, 0, REG_SZ,
                             reinterpret_cast<const BYTE *>(text.constData()),
                             DWORD(text.size() + 1)),
              ERROR_SUCCESS);
    RegCloseKey(key);
}

QString defaultOf(const QByteArray &path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.constData(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return {};
    char text[256] = {};
    DWORD type = 0, size = sizeof text - 1;
    RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE *>(text), &size);
    RegCloseKey(key);
    return QString::fromUtf8(text);
}

// The program registers the control library it runs with, and only when the store does not
// already name that library: registering rewrites some fifty entries.
using ProgramRegistrationTest = TemporaryRegistry;

TEST_F(ProgramRegistrationTest, RegistersTheRunningLibraryOnlyWhenTheStoreNamesAnother)
{
    registerPasswordControl();
    ASSERT_FALSE(registered().isEmpty());
    EXPECT_EQ(QFileInfo(registered()).canonicalFilePath(),
              QFileInfo(EC_CONTROL_LIBRARY).canonicalFilePath());

    setDefault(classKey("ProgID"), "changed by hand");
    registerPasswordControl();
    EXPECT_EQ(defaultOf(classKey("ProgID")), "changed by hand");

    // A store that names another file gets this library's whole registration again.
    setDefault(classKey("InprocServer32"), "/elsewhere/libVantrelPassword.so.3");
    registerPasswordControl();
    EXPECT_EQ(QFileInfo(registered()).canonicalFilePath(),
              QFileInfo(EC_CONTROL_LIBRARY).canonicalFilePath());
    EXPECT_EQ(defaultOf(classKey("ProgID")), "VantrelPassword.VTPassword");
}

} // namespace
