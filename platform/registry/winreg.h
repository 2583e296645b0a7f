#pragma once
#include "platform/registry/PlatformRegistryExport.h"
// The registry functions with their Win32 ANSI signatures, types and constants, so that code
// written against Windows compiles unchanged, in C as in C++, and links by the same unadorned
// names. On Linux they work on the per-user registry store (one SQLite file); a Windows build
// uses the system's own header and library instead.

#include <stdint.h>

#ifndef WINAPI
#define WINAPI
#endif
#ifndef APIENTRY
#define APIENTRY WINAPI
#endif

typedef uint8_t BYTE;
typedef char CHAR;
typedef uint32_t DWORD;
typedef int32_t LONG;
typedef uintptr_t ULONG_PTR;
typedef intptr_t LONG_PTR;
typedef LONG LSTATUS;
typedef DWORD REGSAM;
typedef BYTE *LPBYTE;
typedef DWORD *LPDWORD;
typedef CHAR *LPSTR;
typedef const CHAR *LPCSTR;

struct HKEY__;
typedef struct HKEY__ *HKEY;
typedef HKEY *PHKEY;

// The predefined roots, sign-extended the way Windows defines them.
#define HKEY_CLASSES_ROOT ((HKEY)(ULONG_PTR)((LONG)0x80000000))
#define HKEY_CURRENT_USER ((HKEY)(ULONG_PTR)((LONG)0x80000001))
#define HKEY_LOCAL_MACHINE ((HKEY)(ULONG_PTR)((LONG)0x80000002))
#define HKEY_USERS ((HKEY)(ULONG_PTR)((LONG)0x80000003))
#define HKEY_CURRENT_CONFIG ((HKEY)(ULONG_PTR)((LONG)0x80000005))

// Status codes.
#define ERROR_SUCCESS 0L
#define NO_ERROR 0L
#define ERROR_FILE_NOT_FOUND 2L
#define ERROR_ACCESS_DENIED 5L
#define ERROR_INVALID_HANDLE 6L
#define ERROR_NOT_ENOUGH_MEMORY 8L
#define ERROR_OUTOFMEMORY 14L
#define ERROR_INVALID_PARAMETER 87L
#define ERROR_DISK_FULL 112L
#define ERROR_BAD_PATHNAME 161L
#define ERROR_BUSY 170L
#define ERROR_MORE_DATA 234L
#define ERROR_NO_MORE_ITEMS 259L
#define ERROR_BADDB 1009L
#define ERROR_BADKEY 1010L
#define ERROR_CANTOPEN 1011L
#define ERROR_CANTREAD 1012L
#define ERROR_CANTWRITE 1013L
#define ERROR_REGISTRY_CORRUPT 1015L
#define ERROR_REGISTRY_IO_FAILED 1016L
#define ERROR_NOACCESS 998L
#define ERROR_KEY_DELETED 1018L
#define ERROR_INTERNAL_ERROR 1359L
#define ERROR_NO_SYSTEM_RESOURCES 1450L

// Access rights.
#define DELETE 0x00010000L
#define READ_CONTROL 0x00020000L
#define WRITE_DAC 0x00040000L
#define WRITE_OWNER 0x00080000L
#define SYNCHRONIZE 0x00100000L
#define STANDARD_RIGHTS_REQUIRED 0x000F0000L
#define STANDARD_RIGHTS_READ READ_CONTROL
#define STANDARD_RIGHTS_WRITE READ_CONTROL
#define STANDARD_RIGHTS_EXECUTE READ_CONTROL
#define STANDARD_RIGHTS_ALL 0x001F0000L
#define MAXIMUM_ALLOWED 0x02000000L
#define GENERIC_READ 0x80000000L
#define GENERIC_WRITE 0x40000000L
#define GENERIC_EXECUTE 0x20000000L
#define GENERIC_ALL 0x10000000L

#define KEY_QUERY_VALUE 0x0001
#define KEY_SET_VALUE 0x0002
#define KEY_CREATE_SUB_KEY 0x0004
#define KEY_ENUMERATE_SUB_KEYS 0x0008
#define KEY_NOTIFY 0x0010
#define KEY_CREATE_LINK 0x0020
#define KEY_WOW64_64KEY 0x0100
#define KEY_WOW64_32KEY 0x0200
#define KEY_READ                                                                                   \
    ((STANDARD_RIGHTS_READ | KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY) & ~SYNCHRONIZE)
#define KEY_WRITE ((STANDARD_RIGHTS_WRITE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY) & ~SYNCHRONIZE)
#define KEY_EXECUTE (KEY_READ & ~SYNCHRONIZE)
#define KEY_ALL_ACCESS                                                                             \
    ((STANDARD_RIGHTS_ALL | KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY |                 \
      KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY | KEY_CREATE_LINK) &                                     \
     ~SYNCHRONIZE)

// Value types.
#define REG_NONE 0
#define REG_SZ 1
#define REG_EXPAND_SZ 2
#define REG_BINARY 3
#define REG_DWORD 4
#define REG_DWORD_LITTLE_ENDIAN 4
#define REG_DWORD_BIG_ENDIAN 5
#define REG_LINK 6
#define REG_MULTI_SZ 7
#define REG_RESOURCE_LIST 8
#define REG_QWORD 11
#define REG_QWORD_LITTLE_ENDIAN 11

#define REG_OPTION_NON_VOLATILE 0x00000000L

// C linkage, as Windows declares them, so that C code and dlsym() reach them by name.
#ifdef __cplusplus
extern "C" {
#endif

PLATFORMREGISTRY_EXPORT LSTATUS WINAPI RegCreateKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult);
PLATFORMREGISTRY_EXPORT LSTATUS WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD ulOptions,
                                                     REGSAM samDesired, PHKEY phkResult);
PLATFORMREGISTRY_EXPORT LSTATUS WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName,
                                                        LPDWORD lpReserved, LPDWORD lpType,
                                                        LPBYTE lpData, LPDWORD lpcbData);
PLATFORMREGISTRY_EXPORT LSTATUS WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD Reserved,
                                                      DWORD dwType, const BYTE *lpData,
                                                      DWORD cbData);
PLATFORMREGISTRY_EXPORT LSTATUS WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey);
PLATFORMREGISTRY_EXPORT LSTATUS WINAPI RegDeleteValueA(HKEY hKey, LPCSTR lpValueName);
PLATFORMREGISTRY_EXPORT LSTATUS WINAPI RegEnumKeyA(HKEY hKey, DWORD dwIndex, LPSTR lpName,
                                                   DWORD cchName);
PLATFORMREGISTRY_EXPORT LSTATUS WINAPI RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName,
                                                     LPDWORD lpcchValueName, LPDWORD lpReserved,
                                                     LPDWORD lpType, LPBYTE lpData,
                                                     LPDWORD lpcbData);
PLATFORMREGISTRY_EXPORT LSTATUS WINAPI RegCloseKey(HKEY hKey);
// Deletes `lpSubKey` below `hKey` with all its subkeys and values; with a null `lpSubKey`, the
// subkeys and values of `hKey` itself, which stays.
PLATFORMREGISTRY_EXPORT LSTATUS WINAPI RegDeleteTreeA(HKEY hKey, LPCSTR lpSubKey);

#ifdef __cplusplus
}
#endif

// The names without the A suffix, as an ANSI build of Windows code uses them.
#define RegCreateKey RegCreateKeyA
#define RegOpenKeyEx RegOpenKeyExA
#define RegQueryValueEx RegQueryValueExA
#define RegSetValueEx RegSetValueExA
#define RegDeleteKey RegDeleteKeyA
#define RegDeleteValue RegDeleteValueA
#define RegEnumKey RegEnumKeyA
#define RegEnumValue RegEnumValueA
#define RegDeleteTree RegDeleteTreeA
