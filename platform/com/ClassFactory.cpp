#include "platform/com/ClassFactory.h"

#include "platform/com/BoundaryCall.h"

ClassFactory::ClassFactory(ModuleCounter &module, Creator create)
    : ComObject(&module), m_module(module), m_create(std::move(create))
{
}

HRESULT ClassFactory::CreateInstance(IUnknown *outer, const IID &iid, void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    if (outer)
        return CLASS_E_NOAGGREGATION;
    // The creator runs the control's own code, which must not throw into the host.
    IUnknown *created = nullptr;
    if (const HRESULT hr = boundaryCall([&] {
            created = m_create();
            return S_OK;
        });
        FAILED(hr))
        return hr;
    if (!created)
        return E_OUTOFMEMORY;
    const HRESULT hr = created->QueryInterface(iid, object);
    created->Release();
    return hr;
}

HRESULT ClassFactory::LockServer(bool lock)
{
    if (lock)
        m_module.lock();
    else
        m_module.unlock();
    return S_OK;
}

void *ClassFactory::findInterface(const IID &iid)
{
    return iid == IClassFactory::iid ? static_cast<IClassFactory *>(this) : nullptr;
}
