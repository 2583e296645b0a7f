#pragma once
#include "platform/registry/winreg.h"

namespace registry {

// A key handle that is closed when it goes out of scope (closing no handle is harmless).
class ScopedKey {
public:
    ScopedKey() = default;
    ~ScopedKey() { RegCloseKey(handle); }
    ScopedKey(const ScopedKey &) = delete;
    ScopedKey &operator=(const ScopedKey &) = delete;

    HKEY handle = nullptr;
};

} // namespace registry
