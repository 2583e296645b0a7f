// The control library loaded the way a host finds a registered class (dlopen with RTLD_LOCAL
// through the registry store, then its class factory) works on the same registry handles and
// the same user-interface seams as the program that loaded it: every piece of state has one
// owner in the process. This program links the platform libraries only, never the control
// library itself.
#include "password/VTPasswordDispIds.h"
#include "password/VTPasswordIds.h"
#include "platform/com/ClassObjects.h"
#include "platform/com/Dispatch.h"
#include "platform/com/FormContainer.h"
#include "platform/registry/winreg.h"
#include "platform/ui/Shell.h"
#include "tests/TestPaths.h"
#include "tests/registry/TemporaryRegistry.h"
#include "tests/support/ModalDriver.h"

#include <QPushButton>
#include <QWidget>
#include <gtest/gtest.h>

#include <dlfcn.h>

namespace {

using Entry = HRESULT (*)();

class OneOwner : public TemporaryRegistry {
protected:
    void SetUp() override
    {
        TemporaryRegistry::SetUp();
        // Registration through the library's own entry point, loaded and unloaded again.
        void *library = dlopen(VANTRELPASSWORD_LIBRARY, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        const auto registerServer = reinterpret_cast<Entry>(dlsym(library, "DllRegisterServer"));
        ASSERT_NE(registerServer, nullptr);
        ASSERT_EQ(registerServer(), S_OK);
        dlclose(library);

        ComPtr<IClassFactory> factory;
        ASSERT_EQ(getClassObject(VTPasswordIds::control, IClassFactory::iid,
                                 reinterpret_cast<void **>(factory.put())),
                  S_OK);
        container = std::make_unique<FormContainer>(&form, FormContainer::Mode::Run);
        ASSERT_EQ(container->load({"VTPass", VTPasswordIds::control, {}}, factory.get()), S_OK);
        control = queryInterface<IDispatch>(container->control("VTPass").get());
        ASSERT_TRUE(control);
    }

    void TearDown() override
    {
        control = {};
        container.reset();
        freeUnusedLibraries();
        TemporaryRegistry::TearDown();
    }

    // The control library as the class lookup loaded it.
    static void *loadedControlLibrary()
    {
        return dlopen(VANTRELPASSWORD_LIBRARY, RTLD_NOW | RTLD_LOCAL | RTLD_NOLOAD);
    }

    // Opens the control's About box and presses System Info... in it, then OK.
    void pressSystemInfoInAboutBox()
    {
        whileOpen([](QDialog &about) {
            about.findChild<QPushButton *>("cmdSysInfo")->click();
            about.findChild<QPushButton *>("cmdOK")->click();
        });
        std::vector<Variant> none;
        ASSERT_EQ(control->Invoke(VTPasswordDispId::About, DISPATCH_METHOD, none, nullptr), S_OK);
    }

    QWidget form;
    std::unique_ptr<FormContainer> container;
    ComPtr<IDispatch> control;
};

TEST_F(OneOwner, TheLoadedLibraryUsesTheProgramsRegistryFunctionsAndHandles)
{
    void *library = loadedControlLibrary();
    ASSERT_NE(library, nullptr) << "the class lookup did not load the control library";
    // dlsym on an RTLD_LOCAL handle finds the definition that the library itself binds to.
    using Query = decltype(&RegQueryValueExA);
    const auto libraryQuery = reinterpret_cast<Query>(dlsym(library, "RegQueryValueExA"));
    EXPECT_EQ(libraryQuery, &RegQueryValueExA);

    HKEY key = createKey("Software\\Shared");
    ASSERT_EQ(setString(key, "Name", "one table"), ERROR_SUCCESS);
    char data[32] = {};
    DWORD type = 0, size = sizeof data;
    ASSERT_NE(libraryQuery, nullptr);
    EXPECT_EQ(libraryQuery(key, "Name", nullptr, &type, reinterpret_cast<BYTE *>(data), &size),
              ERROR_SUCCESS); // a handle opened here is valid there
    EXPECT_STREQ(data, "one table");
    RegCloseKey(key);
    dlclose(library);
}

TEST_F(OneOwner, TheControlsMessageBoxesReachTheProgramsSeam)
{
    const MessageRecorder messages; // a second seam would open a real box and time out
    pressSystemInfoInAboutBox();
    ASSERT_EQ(messages.calls().size(), 1u);
    EXPECT_EQ(messages.calls()[0].text, "System Information Is Unavailable At This Time");
    // The About box lives on in the library, so the library must stay loaded.
    EXPECT_EQ(freeUnusedLibraries(), 0);
}

TEST_F(OneOwner, TheControlReadsTheStoreAndStartsProgramsThroughTheProgramsSeams)
{
    HKEY key = createKey("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", HKEY_LOCAL_MACHINE);
    ASSERT_EQ(setString(key, "PATH", "/opt/tools/msinfo32"), ERROR_SUCCESS);
    RegCloseKey(key);
    QStringList started;
    platform::setShellHandler([&](const platform::ShellCall &call) {
        if (call.action == platform::ShellAction::StartProgram)
            started.push_back(call.path);
        return true;
    });
    const MessageRecorder messages;
    pressSystemInfoInAboutBox();
    platform::setShellHandler({});
    EXPECT_EQ(started, QStringList{"/opt/tools/msinfo32"});
    EXPECT_TRUE(messages.calls().empty());
}

} // namespace
