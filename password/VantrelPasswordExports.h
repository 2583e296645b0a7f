#pragma once
#include "password/VantrelPasswordExport.h"
#include "platform/com/Guid.h"
#include "platform/com/HResult.h"

/// @file
/// The four entry points of the control library, as an in-process component library
/// exports them. None throws.
/// @since 3.5
extern "C" {
/// Writes the class, its program id, type library and interfaces into the registry store, for
/// the library file this code was loaded from.
/// @return S_OK; SELFREG_E_CLASS when the library's own path cannot be found or an entry
///         cannot be written (the store cannot be opened or written, for example on a full
///         disk); nothing of the registration is left behind then.
[[nodiscard]] VANTRELPASSWORD_EXPORT HRESULT DllRegisterServer();
/// Removes exactly what DllRegisterServer wrote.
/// @return S_OK (also when nothing was registered); SELFREG_E_CLASS or SELFREG_E_TYPELIB when
///         the store refuses.
[[nodiscard]] VANTRELPASSWORD_EXPORT HRESULT DllUnregisterServer();
/// Hands out the class factory of VTPassword.
/// @return S_OK; E_POINTER when @p object is null; CLASS_E_CLASSNOTAVAILABLE for any other
///         class; E_NOINTERFACE when the factory has no interface @p iid; E_OUTOFMEMORY.
[[nodiscard]] VANTRELPASSWORD_EXPORT HRESULT DllGetClassObject(const CLSID &clsid, const IID &iid,
                                                               void **object);
/// S_OK when no object and no lock of the library is alive, S_FALSE otherwise.
[[nodiscard]] VANTRELPASSWORD_EXPORT HRESULT DllCanUnloadNow();
}
