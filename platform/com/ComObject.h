#pragma once
#include "platform/com/ModuleCounter.h"
#include "platform/com/Unknown.h"

#include <atomic>

// The reference counting and QueryInterface that every object shares. A class lists the
// interfaces it implements and answers `findInterface` with the matching base pointer; the
// identity interface (IUnknown) is the first listed interface. When given a module counter,
// the object counts itself as alive there from construction to destruction.
template <class First, class... Rest>
class ComObject : public First, public Rest... {
public:
    explicit ComObject(ModuleCounter *module = nullptr) : m_module(module)
    {
        if (m_module)
            m_module->objectCreated();
    }
    ComObject(const ComObject &) = delete;
    ComObject &operator=(const ComObject &) = delete;

    [[nodiscard]] HRESULT QueryInterface(const IID &iid, void **object) override
    {
        if (!object)
            return E_POINTER;
        *object = iid == IUnknown::iid ? static_cast<First *>(this) : findInterface(iid);
        if (!*object)
            return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    std::uint32_t AddRef() override { return ++m_references; }
    std::uint32_t Release() override
    {
        const std::uint32_t left = --m_references;
        if (left == 0)
            delete this;
        return left;
    }

protected:
    virtual ~ComObject()
    {
        if (m_module)
            m_module->objectDestroyed();
    }
    // The base pointer for `iid`, or null when the object does not implement it.
    virtual void *findInterface(const IID &iid) = 0;

    // Objects start with one reference, owned by whoever created them.
    std::atomic<std::uint32_t> m_references{1};

private:
    ModuleCounter *m_module;
};
