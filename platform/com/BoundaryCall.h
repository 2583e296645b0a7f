#pragma once
#include "platform/com/HResult.h"

#include <new>

// Runs the body of a function that C callers reach (an exported entry point): no exception may
// leave it, so running out of memory becomes E_OUTOFMEMORY and anything else E_UNEXPECTED.
template <typename Body>
HRESULT boundaryCall(Body &&body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc &) {
        return E_OUTOFMEMORY;
    } catch (...) {
        return E_UNEXPECTED;
    }
}
