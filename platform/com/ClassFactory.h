#pragma once
#include "platform/com/ClassFactoryInterface.h"
#include "platform/com/ComObject.h"
#include "platform/com/PlatformComExport.h"

#include <functional>

// A component library's class factory: creates its objects with a creator function and
// counts them, and the hosts' locks, in the library's module counter.
class PLATFORMCOM_EXPORT ClassFactory final : public ComObject<IClassFactory> {
public:
    // `create` returns a new object holding one reference, or null when it cannot.
    using Creator = std::function<IUnknown *()>;

    ClassFactory(ModuleCounter &module, Creator create);

    [[nodiscard]] HRESULT CreateInstance(IUnknown *outer, const IID &iid, void **object) override;
    [[nodiscard]] HRESULT LockServer(bool lock) override;

private:
    void *findInterface(const IID &iid) override;

    ModuleCounter &m_module;
    Creator m_create;
};
