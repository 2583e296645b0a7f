#pragma once
#include "platform/com/ComObject.h"
#include "platform/com/PlatformComExport.h"

#include <functional>

// Creates the objects of one class for hosts, and lets a host keep the library loaded.
struct IClassFactory : IUnknown {
    static constexpr IID iid{0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

    // `outer` must be null: objects are not aggregated. On success `*object` holds interface
    // `iid` of a new object.
    [[nodiscard]] virtual HRESULT CreateInstance(IUnknown *outer, const IID &iid,
                                                 void **object) = 0;
    [[nodiscard]] virtual HRESULT LockServer(bool lock) = 0;
};

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
