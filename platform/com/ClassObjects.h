#pragma once
#include "platform/com/Guid.h"
#include "platform/com/HResult.h"
#include "platform/com/PlatformComExport.h"

#include <string>

/// @file
/// Finding a registered class the way hosts do: the class id leads through the registry
/// store (HKEY_CLASSES_ROOT\CLSID\{id}\InprocServer32) to the library file, which is loaded
/// and asked for the class object through its DllGetClassObject. Failures are also logged
/// under the category "embercoffer.com" (QT_LOGGING_RULES="embercoffer.com.warning=true").
/// @since 3.5

inline constexpr HRESULT REGDB_E_CLASSNOTREG = makeHResult(0x80040154);
inline constexpr HRESULT CO_E_DLLNOTFOUND = makeHResult(0x800401F8);
inline constexpr HRESULT CO_E_ERRORINDLL = makeHResult(0x800401F9);

/// The library file registered for the class (its InprocServer32 entry), or empty when the
/// class is not registered or the store cannot be read.
/// @since 3.5
PLATFORMCOM_EXPORT std::string registeredLibrary(const CLSID &clsid);

/// Gives the class factory (or other interface @p iid) of a registered class in @p object.
/// @return what the library's DllGetClassObject answers (S_OK with an added reference);
///         E_POINTER when @p object is null; REGDB_E_CLASSNOTREG when the class is not
///         registered or the store cannot be read; CO_E_DLLNOTFOUND when its library cannot be
///         loaded; CO_E_ERRORINDLL when the library has no DllGetClassObject.
/// @since 3.5
[[nodiscard]] PLATFORMCOM_EXPORT HRESULT getClassObject(const CLSID &clsid, const IID &iid,
                                                        void **object);

/// Unloads the libraries loaded by getClassObject() whose DllCanUnloadNow answers S_OK.
/// @return how many were unloaded.
/// @since 3.5
PLATFORMCOM_EXPORT int freeUnusedLibraries();
