// Running out of memory inside the registry functions and the control library's entry points:
// the call reports it, nothing is thrown into the (C) caller, and the store's shared connection
// is left without an open transaction, so that every later call works.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <atomic>
#include <cstdlib>
#include <new>

#include "password/VTPasswordIds.h"
#include "password/VantrelPasswordExports.h"
#include "platform/com/ClassFactory.h"
#include "platform/registry/winreg.h"

namespace {

// While positive, counts down with every allocation; the one that takes it to zero fails.
std::atomic<long> allocationsBeforeFailure{0};

void *allocate(std::size_t size)
{
    if (allocationsBeforeFailure.load() > 0 && allocationsBeforeFailure.fetch_sub(1) == 1)
        throw std::bad_alloc();
    if (void *memory = std::malloc(size == 0 ? 1 : size))
        return memory;
    throw std::bad_alloc();
}

} // namespace

// This program's allocator, which the libraries it loads use too: a test makes the n-th
// allocation from now fail. Every plain and array form is replaced, so that whatever was taken
// with malloc goes back with free, also under a sanitizer's own allocator.
void *operator new(std::size_t size) { return allocate(size); }
void *operator new[](std::size_t size) { return allocate(size); }
void *operator new(std::size_t size, const std::nothrow_t &) noexcept
{
    try {
        return allocate(size);
    } catch (const std::bad_alloc &) {
        return nullptr;
    }
}
void *operator new[](std::size_t size, const std::nothrow_t &tag) noexcept
{
    return operator new(size, tag);
}
void operator delete(void *memory) noexcept { std::free(memory); }
void operator delete[](void *memory) noexcept { std::free(memory); }
void operator delete(void *memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void *memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void *memory, const std::nothrow_t &) noexcept { std::free(memory); }
void operator delete[](void *memory, const std::nothrow_t &) noexcept { std::free(memory); }

namespace {

class MemoryFaults : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        setenv("EMBERCOFFER_REGISTRY",
               QFile::encodeName(folder.filePath("registry.db")).constData(), 1);
    }
    void TearDown() override { unsetenv("EMBERCOFFER_REGISTRY"); }

    QTemporaryDir folder;
};

TEST_F(MemoryFaults, RegistryCallsReportEveryFailedAllocationAndLeaveTheStoreUsable)
{
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, "Memory", &key), ERROR_SUCCESS);
    const BYTE text[] = "some text";
    ASSERT_EQ(RegSetValueExA(key, "value", 0, REG_SZ, text, sizeof text), ERROR_SUCCESS);
    bool everyAllocationFailedOnce = false;
    for (long failing = 1; !everyAllocationFailedOnce; ++failing) {
        HKEY opened = nullptr;
        char name[16];
        DWORD nameLength = sizeof name;
        allocationsBeforeFailure = failing;
        const LONG set = RegSetValueExA(key, "value", 0, REG_SZ, text, sizeof text);
        const LONG listed =
            RegEnumValueA(key, 0, name, &nameLength, nullptr, nullptr, nullptr, nullptr);
        const LONG open = RegOpenKeyExA(HKEY_CURRENT_USER, "Memory", 0, KEY_READ, &opened);
        everyAllocationFailedOnce = allocationsBeforeFailure > 0;
        allocationsBeforeFailure = 0;
        SCOPED_TRACE("allocation " + std::to_string(failing));
        for (const LONG status : {set, listed, open}) {
            EXPECT_TRUE(status == ERROR_SUCCESS || status == ERROR_NOT_ENOUGH_MEMORY) << status;
        }
        if (open == ERROR_SUCCESS) {
            EXPECT_EQ(RegCloseKey(opened), ERROR_SUCCESS);
        }
        // The connection is free for the next transaction.
        ASSERT_EQ(RegSetValueExA(key, "after", 0, REG_SZ, text, sizeof text), ERROR_SUCCESS);
    }
    EXPECT_EQ(RegCloseKey(key), ERROR_SUCCESS);
}

TEST_F(MemoryFaults, ControlEntryPointsReportAFailedAllocation)
{
    void *factory = nullptr;
    // Once for the font substitutes that the first call registers inside the toolkit.
    ASSERT_EQ(DllGetClassObject(VTPasswordIds::control, IClassFactory::iid, &factory), S_OK);
    static_cast<IClassFactory *>(factory)->Release();
    allocationsBeforeFailure = 1;
    const HRESULT created = DllGetClassObject(VTPasswordIds::control, IClassFactory::iid, &factory);
    allocationsBeforeFailure = 1;
    const HRESULT registered = DllRegisterServer();
    allocationsBeforeFailure = 0;
    EXPECT_EQ(created, E_OUTOFMEMORY);
    EXPECT_EQ(factory, nullptr);
    EXPECT_EQ(registered, E_OUTOFMEMORY);
    EXPECT_EQ(DllRegisterServer(), S_OK);
}

} // namespace
