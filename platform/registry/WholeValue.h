#pragma once
#include "platform/registry/PlatformRegistryExport.h"
#include "platform/registry/winreg.h"

#include <string>
#include <vector>

namespace registry {

// Buffers that hold any key name or value name: the longest name, every character taking up
// to four bytes in UTF-8, and the terminator.
inline constexpr DWORD KeyNameBufferBytes = 255 * 4 + 1;
inline constexpr DWORD ValueNameBufferBytes = 16383 * 4 + 1;

// A value read whole, however large it is.
struct PLATFORMREGISTRY_EXPORT WholeValue {
    std::string name;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

// Reads the value `name` of `key`: its size is asked first, then it is read into a buffer of
// that size (again when it grew in between). The status of the registry call.
PLATFORMREGISTRY_EXPORT LONG queryWholeValue(HKEY key, const std::string &name, WholeValue &value);

// The same for the value at `index` of `key` (ERROR_NO_MORE_ITEMS past the last one).
PLATFORMREGISTRY_EXPORT LONG enumWholeValue(HKEY key, DWORD index, WholeValue &value);

} // namespace registry
