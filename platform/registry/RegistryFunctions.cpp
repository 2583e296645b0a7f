// The registry functions over the store, with the status codes and buffer rules of the
// Windows functions they stand in for.
#include "platform/registry/winreg.h"

#include "platform/registry/KeyPath.h"
#include "platform/registry/RegistryCall.h"

#include <cstring>
#include <new>

using namespace registry;

namespace {

// Runs the body of one registry function. Its callers are C code, so no exception may leave
// it: running out of memory (a value is copied whole, and read back whole) gives the status
// Windows gives for it, anything else a failure of its own. The store has rolled back its
// transaction by then.
template <typename Body>
LSTATUS guarded(Body &&body) noexcept
{
    try {
        return body();
    } catch (const std::bad_alloc &) {
        return ERROR_NOT_ENOUGH_MEMORY;
    } catch (...) {
        return ERROR_INTERNAL_ERROR;
    }
}

bool isStringType(DWORD type)
{
    return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
}

// The key at `components` below `start`, if every component exists.
std::optional<KeyId> findPath(RegistryStore &store, KeyId start, const KeyPath &path)
{
    std::optional<KeyId> at = start;
    for (const std::string &component : path.components) {
        at = store.findChild(*at, component);
        if (!at)
            return std::nullopt;
    }
    return at;
}

// Hands out a value's type and data. A buffer that is too small is left untouched and learns
// the size it needs; a string stored without its terminator gets one when the buffer has room
// for it, without counting it in the size. The buffer's size is read before the type is
// written, since a caller may pass one DWORD for both.
LONG deliverData(const StoredValue &value, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    const DWORD capacity = lpcbData != nullptr ? *lpcbData : 0;
    if (lpType != nullptr)
        *lpType = value.type;
    if (lpcbData == nullptr)
        return ERROR_SUCCESS;
    const auto size = static_cast<DWORD>(value.data.size());
    if (lpData != nullptr) {
        if (capacity < size) {
            *lpcbData = size;
            return ERROR_MORE_DATA;
        }
        if (size > 0)
            std::memcpy(lpData, value.data.data(), size);
        if (isStringType(value.type) && size > 0 && value.data.back() != 0 && capacity > size)
            lpData[size] = 0;
    }
    *lpcbData = size;
    return ERROR_SUCCESS;
}

// A name written into a caller's buffer of `capacity` bytes: whole with its terminator when it
// fits, else cut to what fits and ERROR_MORE_DATA.
LONG deliverName(const std::string &name, LPSTR buffer, DWORD capacity)
{
    if (capacity > name.size()) {
        std::memcpy(buffer, name.c_str(), name.size() + 1);
        return ERROR_SUCCESS;
    }
    if (capacity > 0) {
        std::memcpy(buffer, name.data(), capacity - 1);
        buffer[capacity - 1] = '\0';
    }
    return ERROR_MORE_DATA;
}

std::string valueName(LPCSTR lpValueName) { return lpValueName == nullptr ? "" : lpValueName; }

// The key that a delete call names below its handle: `lpSubKey` must exist, and may be empty
// (the handle's own key) unless the handle is a predefined root.
LONG findKeyToDelete(RegistryCall &call, LPCSTR lpSubKey, KeyId &target)
{
    const KeyPath path = splitKeyPath(lpSubKey);
    if (path.status != ERROR_SUCCESS)
        return path.status;
    if (path.components.empty() && call.key().predefined())
        return ERROR_ACCESS_DENIED;
    const std::optional<KeyId> found = findPath(call.store(), call.key().key, path);
    if (!found)
        return ERROR_FILE_NOT_FOUND;
    target = *found;
    return ERROR_SUCCESS;
}

// What create and open hand back: a new handle to the key found, the predefined handle itself
// when no key below it was named, or null on any failure, running out of handles included (a
// null handle is refused before the result is touched).
LONG handOut(RegistryCall &call, LONG status, const std::optional<KeyId> &target, REGSAM access,
             PHKEY phkResult)
{
    *phkResult = nullptr;
    if (status != ERROR_SUCCESS)
        return status;
    if (!target) {
        *phkResult = call.handle();
        return ERROR_SUCCESS;
    }
    *phkResult = call.newHandle(*target, access);
    // Every handle value has been handed out once; none may be handed out again.
    return *phkResult != nullptr ? ERROR_SUCCESS : ERROR_NO_SYSTEM_RESOURCES;
}

} // namespace

LSTATUS WINAPI RegCreateKeyA(HKEY hKey, LPCSTR lpSubKey, PHKEY phkResult)
{
    return guarded([&]() -> LONG {
        if (phkResult == nullptr)
            return ERROR_INVALID_PARAMETER;
        if (hKey == nullptr)
            return ERROR_INVALID_HANDLE;
        RegistryCall call(hKey);
        std::optional<KeyId> target;
        const LONG status = call.run(true, 0, [&]() -> LONG {
            // A predefined root with no path at all hands back the root itself.
            if (lpSubKey == nullptr && call.key().predefined())
                return ERROR_SUCCESS;
            const KeyPath path = splitKeyPath(lpSubKey);
            if (path.status != ERROR_SUCCESS)
                return path.status;
            KeyId at = call.key().key;
            for (const std::string &component : path.components) {
                const std::optional<KeyId> child = call.store().findChild(at, component);
                at = child ? *child : call.store().createChild(at, component);
            }
            target = at;
            return ERROR_SUCCESS;
        });
        return handOut(call, status, target, KEY_ALL_ACCESS, phkResult);
    });
}

LSTATUS WINAPI RegOpenKeyExA(HKEY hKey, LPCSTR lpSubKey, DWORD /*ulOptions*/, REGSAM samDesired,
                             PHKEY phkResult)
{
    return guarded([&]() -> LONG {
        if (phkResult == nullptr)
            return ERROR_INVALID_PARAMETER;
        if (hKey == nullptr)
            return ERROR_INVALID_HANDLE;
        RegistryCall call(hKey);
        std::optional<KeyId> target;
        const LONG status = call.run(false, 0, [&]() -> LONG {
            // Under the classes root one leading backslash is tolerated.
            if (call.key().root == PredefinedRoot::ClassesRoot && lpSubKey != nullptr &&
                lpSubKey[0] == '\\')
                ++lpSubKey;
            const KeyPath path = splitKeyPath(lpSubKey);
            if (path.status != ERROR_SUCCESS)
                return path.status;
            if (path.components.empty() && call.key().predefined())
                return ERROR_SUCCESS;
            target = findPath(call.store(), call.key().key, path);
            return target ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
        });
        return handOut(call, status, target, samDesired, phkResult);
    });
}

LSTATUS WINAPI RegQueryValueExA(HKEY hKey, LPCSTR lpValueName, LPDWORD lpReserved, LPDWORD lpType,
                                LPBYTE lpData, LPDWORD lpcbData)
{
    return guarded([&]() -> LONG {
        if (lpReserved != nullptr || (lpData != nullptr && lpcbData == nullptr))
            return ERROR_INVALID_PARAMETER;
        const std::string name = valueName(lpValueName);
        RegistryCall call(hKey);
        return call.run(false, KEY_QUERY_VALUE, [&]() -> LONG {
            const std::optional<StoredValue> value = call.store().findValue(call.key().key, name);
            if (!value) {
                if (lpData == nullptr && lpcbData != nullptr)
                    *lpcbData = 0;
                return ERROR_FILE_NOT_FOUND;
            }
            return deliverData(*value, lpType, lpData, lpcbData);
        });
    });
}

LSTATUS WINAPI RegSetValueExA(HKEY hKey, LPCSTR lpValueName, DWORD /*Reserved*/, DWORD dwType,
                              const BYTE *lpData, DWORD cbData)
{
    return guarded([&]() -> LONG {
        if (lpData == nullptr && cbData > 0)
            return ERROR_NOACCESS;
        // Refused before anything is copied: the size comes from the caller.
        if (cbData > MaxValueSize)
            return ERROR_NOT_ENOUGH_MEMORY;
        const std::string name = valueName(lpValueName);
        std::vector<std::uint8_t> data(lpData, lpData + cbData);
        // A string given without its terminator, but followed by one, is stored with it. This
        // reads the byte after the `cbData` given, as Windows does, because callers count a
        // string without its terminator and rely on it being stored; a caller whose buffer
        // ends exactly there gets the same read from Windows.
        if (isStringType(dwType) && cbData > 0 && lpData[cbData - 1] != 0 && lpData[cbData] == 0)
            data.push_back(0);
        RegistryCall call(hKey);
        return call.run(true, KEY_SET_VALUE, [&]() -> LONG {
            if (const LONG checked = checkValueName(name); checked != ERROR_SUCCESS)
                return checked;
            call.store().setValue(call.key().key, name, dwType, data);
            return ERROR_SUCCESS;
        });
    });
}

LSTATUS WINAPI RegDeleteKeyA(HKEY hKey, LPCSTR lpSubKey)
{
    return guarded([&]() -> LONG {
        if (lpSubKey == nullptr)
            return ERROR_INVALID_PARAMETER;
        RegistryCall call(hKey);
        return call.run(true, 0, [&]() -> LONG {
            KeyId target = 0;
            if (const LONG found = findKeyToDelete(call, lpSubKey, target); found != ERROR_SUCCESS)
                return found;
            if (call.store().hasChildren(target))
                return ERROR_ACCESS_DENIED;
            call.store().deleteKey(target);
            return ERROR_SUCCESS;
        });
    });
}

LSTATUS WINAPI RegDeleteTreeA(HKEY hKey, LPCSTR lpSubKey)
{
    return guarded([&]() -> LONG {
        // A null or empty path empties the handle's own key, which needs the rights to list it and
        // to change its values; all is checked first, so that the call fails whole or not at all.
        const bool emptyOwnKey = lpSubKey == nullptr || *lpSubKey == '\0';
        const REGSAM rights =
            emptyOwnKey ? KEY_QUERY_VALUE | KEY_ENUMERATE_SUB_KEYS | KEY_SET_VALUE : 0;
        RegistryCall call(hKey);
        return call.run(true, rights, [&]() -> LONG {
            if (emptyOwnKey) {
                call.store().deleteTree(call.key().key, true);
                return ERROR_SUCCESS;
            }
            KeyId target = 0;
            if (const LONG found = findKeyToDelete(call, lpSubKey, target); found != ERROR_SUCCESS)
                return found;
            call.store().deleteTree(target, false);
            return ERROR_SUCCESS;
        });
    });
}

LSTATUS WINAPI RegDeleteValueA(HKEY hKey, LPCSTR lpValueName)
{
    return guarded([&]() -> LONG {
        const std::string name = valueName(lpValueName);
        RegistryCall call(hKey);
        return call.run(true, KEY_SET_VALUE, [&]() -> LONG {
            return call.store().deleteValue(call.key().key, name) ? ERROR_SUCCESS
                                                                  : ERROR_FILE_NOT_FOUND;
        });
    });
}

LSTATUS WINAPI RegEnumKeyA(HKEY hKey, DWORD dwIndex, LPSTR lpName, DWORD cchName)
{
    return guarded([&]() -> LONG {
        if (lpName == nullptr)
            return ERROR_INVALID_PARAMETER;
        RegistryCall call(hKey);
        return call.run(false, KEY_ENUMERATE_SUB_KEYS, [&]() -> LONG {
            const std::optional<std::string> name =
                call.store().childNameAt(call.key().key, dwIndex);
            if (!name)
                return ERROR_NO_MORE_ITEMS;
            if (cchName <= name->size())
                return ERROR_MORE_DATA;
            return deliverName(*name, lpName, cchName);
        });
    });
}

LSTATUS WINAPI RegEnumValueA(HKEY hKey, DWORD dwIndex, LPSTR lpValueName, LPDWORD lpcchValueName,
                             LPDWORD lpReserved, LPDWORD lpType, LPBYTE lpData, LPDWORD lpcbData)
{
    return guarded([&]() -> LONG {
        if (lpValueName == nullptr || lpcchValueName == nullptr || lpReserved != nullptr ||
            (lpData != nullptr && lpcbData == nullptr))
            return ERROR_INVALID_PARAMETER;
        RegistryCall call(hKey);
        return call.run(false, KEY_QUERY_VALUE, [&]() -> LONG {
            const std::optional<StoredValue> value = call.store().valueAt(call.key().key, dwIndex);
            if (!value)
                return ERROR_NO_MORE_ITEMS;
            // The data is checked first: when it does not fit, the name is not written either.
            if (const LONG data = deliverData(*value, lpType, lpData, lpcbData);
                data != ERROR_SUCCESS)
                return data;
            const LONG named = deliverName(value->name, lpValueName, *lpcchValueName);
            if (named == ERROR_SUCCESS)
                *lpcchValueName = static_cast<DWORD>(value->name.size());
            return named;
        });
    });
}

LSTATUS WINAPI RegCloseKey(HKEY hKey)
{
    return guarded([&]() -> LONG {
        if (isPredefinedValue(hKey))
            return ERROR_SUCCESS;
        return RegistryCall::closeHandle(hKey) ? ERROR_SUCCESS : ERROR_INVALID_HANDLE;
    });
}
