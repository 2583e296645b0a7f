#pragma once
#include "platform/registry/RegistryStore.h"
#include "platform/registry/winreg.h"

#include <cstdint>
#include <map>
#include <optional>

namespace registry {

// What a key handle stands for: the key and the access it was opened with.
struct OpenKey {
    KeyId key = 0;
    REGSAM access = 0;
    bool predefined = false;
};

// The open key handles of this process. Handle values are small multiples of four that are
// never handed out twice, so a closed handle stays invalid; they fit in 32 bits because
// callers pass handles around as 32-bit integers.
class HandleTable {
public:
    HKEY add(const OpenKey &key);
    // An open handle or one of the predefined roots.
    std::optional<OpenKey> find(HKEY handle) const;
    bool remove(HKEY handle);
    void clear() { m_keys.clear(); }

    // True for every value that Windows treats as a predefined root (0x80000000 and up).
    static bool isPredefinedValue(HKEY handle);

private:
    std::map<std::uintptr_t, OpenKey> m_keys;
    std::uintptr_t m_next = 0x100;
};

} // namespace registry
