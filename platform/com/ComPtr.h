#pragma once
#include "platform/com/Unknown.h"

#include <cstddef>
#include <utility>

/// Holds one reference to an interface and releases it when it goes.
/// @since 3.5
template <class T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    /// Takes an extra reference: the caller keeps its own.
    explicit ComPtr(T *pointer) : m_pointer(pointer)
    {
        if (m_pointer)
            m_pointer->AddRef();
    }
    ComPtr(const ComPtr &other) : ComPtr(other.m_pointer) {}
    ComPtr(ComPtr &&other) noexcept : m_pointer(std::exchange(other.m_pointer, nullptr)) {}
    ~ComPtr() { reset(); }

    ComPtr &operator=(ComPtr other) noexcept
    {
        std::swap(m_pointer, other.m_pointer);
        return *this;
    }

    /// Takes over a reference that the caller already owns (for example a factory's result).
    static ComPtr adopt(T *pointer)
    {
        ComPtr result;
        result.m_pointer = pointer;
        return result;
    }

    void reset()
    {
        if (T *old = std::exchange(m_pointer, nullptr))
            old->Release();
    }

    T *get() const { return m_pointer; }
    T *operator->() const { return m_pointer; }
    T &operator*() const { return *m_pointer; }
    explicit operator bool() const { return m_pointer != nullptr; }

    /// The slot for a call that hands out a new reference; anything held before is released.
    void **put()
    {
        reset();
        return reinterpret_cast<void **>(&m_pointer);
    }

private:
    T *m_pointer = nullptr;
};

/// Asks `source` for interface U by its identifier; null when it has none.
/// @since 3.5
template <class U>
ComPtr<U> queryInterface(IUnknown *source)
{
    ComPtr<U> result;
    if (source)
        source->QueryInterface(U::iid, result.put());
    return result;
}
