#pragma once
#include "platform/registry/PredefinedRoot.h"
#include "platform/registry/RegistryStore.h"
#include "platform/registry/winreg.h"

#include <cstdint>
#include <map>
#include <optional>

namespace registry {

// What a key handle stands for: the key, the access it was opened with, and for a predefined
// handle the root it names.
struct OpenKey {
    KeyId key = 0;
    REGSAM access = 0;
    std::optional<PredefinedRoot> root;

    bool predefined() const { return root.has_value(); }
};

// The ordinary key handles this process has open. Handle values are small multiples of four
// that are never handed out twice, so a closed handle stays invalid; they fit in 31 bits
// because callers pass handles around as 32-bit integers, and so never look predefined.
class HandleTable {
public:
    // A new handle, or null once every handle value has been handed out.
    HKEY add(const OpenKey &key);
    std::optional<OpenKey> find(HKEY handle) const;
    bool remove(HKEY handle);
    void clear() { m_keys.clear(); }

private:
    std::map<std::uintptr_t, OpenKey> m_keys;
    std::uintptr_t m_next = 0x100;
};

} // namespace registry
