#include "platform/com/ClassFactory.h"

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
    IUnknown *created = m_create();
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
