#pragma once
#include "password/VantrelPasswordExport.h"
#include "platform/com/Guid.h"
#include "platform/com/HResult.h"

// The four entry points of the control library, as an in-process component library
// exports them.
extern "C" {
// Writes the class, its program id, type library and interfaces into the registry store.
[[nodiscard]] VANTRELPASSWORD_EXPORT HRESULT DllRegisterServer();
// Removes exactly what DllRegisterServer wrote.
[[nodiscard]] VANTRELPASSWORD_EXPORT HRESULT DllUnregisterServer();
// Hands out the class factory of VTPassword (CLASS_E_CLASSNOTAVAILABLE for any other class).
[[nodiscard]] VANTRELPASSWORD_EXPORT HRESULT DllGetClassObject(const CLSID &clsid, const IID &iid,
                                                               void **object);
// S_OK when no object and no lock of the library is alive, S_FALSE otherwise.
[[nodiscard]] VANTRELPASSWORD_EXPORT HRESULT DllCanUnloadNow();
}
