#include <QDir>
#include <QProcess>
#include <gtest/gtest.h>

#include "password/VTPasswordIds.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ClassObjects.h"
#include "platform/com/ComPtr.h"
#include "platform/registry/winreg.h"
#include "tests/TestPaths.h"
#include "tests/registry/TemporaryRegistry.h"

namespace {

struct Outcome {
    int status;
    QString out;
    QString err;
};

// Runs the registration command on a temporary registry store.
class RegistrationCommandTest : public TemporaryRegistry {
protected:
    static Outcome regsvr(const QStringList &arguments)
    {
        QProcess process;
        process.start(EC_REGSVR_PROGRAM, arguments);
        if (!process.waitForFinished(30000))
            return {-1, {}, QStringLiteral("did not finish")};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }

    static HRESULT findClass()
    {
        ComPtr<IClassFactory> factory;
        const HRESULT hr =
            getClassObject(VTPasswordIds::control, IClassFactory::iid, factory.put());
        return hr;
    }

    // The number of keys directly under HKEY_CLASSES_ROOT.
    static int classesRootKeys()
    {
        char name[256];
        int count = 0;
        while (RegEnumKeyA(HKEY_CLASSES_ROOT, DWORD(count), name, sizeof name) == ERROR_SUCCESS)
            ++count;
        return count;
    }
};

TEST_F(RegistrationCommandTest, RegisteringLetsHostsFindTheClassAndUnregisteringRemovesAll)
{
    ASSERT_EQ(findClass(), REGDB_E_CLASSNOTREG);
    const Outcome registered = regsvr({EC_CONTROL_LIBRARY});
    ASSERT_EQ(registered.status, 0) << registered.err.toStdString();
    EXPECT_TRUE(registered.out.startsWith("Registered ")) << registered.out.toStdString();
    EXPECT_EQ(findClass(), S_OK);
    EXPECT_GT(classesRootKeys(), 0);

    // Registering again changes nothing; unregistering leaves HKEY_CLASSES_ROOT empty.
    EXPECT_EQ(regsvr({EC_CONTROL_LIBRARY}).status, 0);
    const Outcome unregistered = regsvr({"-u", EC_CONTROL_LIBRARY});
    ASSERT_EQ(unregistered.status, 0) << unregistered.err.toStdString();
    freeUnusedLibraries();
    EXPECT_EQ(findClass(), REGDB_E_CLASSNOTREG);
    EXPECT_EQ(classesRootKeys(), 0);
}

TEST_F(RegistrationCommandTest, WrongUseAndUnsuitableLibrariesAreExplained)
{
    const Outcome usage = regsvr({});
    EXPECT_EQ(usage.status, 2);
    EXPECT_TRUE(usage.err.contains("usage:"));
    EXPECT_EQ(regsvr({"--frobnicate", EC_CONTROL_LIBRARY}).status, 2);
    EXPECT_EQ(regsvr({EC_CONTROL_LIBRARY, EC_CONTROL_LIBRARY}).status, 2);

    const Outcome missing = regsvr({QString::fromStdString(folder / "libNothing.so")});
    EXPECT_EQ(missing.status, 1);
    EXPECT_TRUE(missing.err.contains("cannot load")) << missing.err.toStdString();

    // A library that is no component library: the registry library itself.
    const Outcome plain = regsvr({EC_REGISTRY_LIBRARY});
    EXPECT_EQ(plain.status, 1);
    EXPECT_TRUE(plain.err.contains("DllRegisterServer is missing")) << plain.err.toStdString();
    EXPECT_EQ(classesRootKeys(), 0);
}

TEST_F(RegistrationCommandTest, AStoreThatCannotBeWrittenFailsTheCommand)
{
    // A folder where the store file should be: the store cannot be opened.
    ASSERT_TRUE(std::filesystem::create_directory(storeFile));
    const Outcome refused = regsvr({EC_CONTROL_LIBRARY});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains("DllRegisterServer")) << refused.err.toStdString();
}

} // namespace
