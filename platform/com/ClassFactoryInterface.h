#pragma once
#include "platform/com/Unknown.h"

/// @file
/// The interface through which a component library hands out the objects of one class.

/// Creates the objects of one class for hosts, and lets a host keep the library loaded.
/// A host gets it from the library's DllGetClassObject or from getClassObject().
/// @since 3.5
struct IClassFactory : IUnknown {
    static constexpr IID iid{0x00000001, 0x0000, 0x0000, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

    /// Creates a new object and gives its interface @p iid in @p object.
    /// @param outer must be null: objects are not aggregated.
    /// @return S_OK; E_POINTER when @p object is null; CLASS_E_NOAGGREGATION when @p outer is
    ///         set; E_OUTOFMEMORY when the object cannot be created; E_NOINTERFACE when it
    ///         has no interface @p iid (no object is left alive then).
    [[nodiscard]] virtual HRESULT CreateInstance(IUnknown *outer, const IID &iid,
                                                 void **object) = 0;
    /// Locks (true) or unlocks (false) the library in memory: DllCanUnloadNow answers S_FALSE
    /// while a lock is held. Always S_OK.
    [[nodiscard]] virtual HRESULT LockServer(bool lock) = 0;
};
