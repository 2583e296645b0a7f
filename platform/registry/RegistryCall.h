#pragma once
#include "platform/registry/HandleTable.h"
#include "platform/registry/RegistryStore.h"

#include <mutex>
#include <optional>

namespace registry {

// One call of a registry function on a key handle: holds the process-wide registry lock for
// its lifetime, opens the store that the environment names (closing every handle when that is
// another store than before) and resolves the handle.
class RegistryCall {
public:
    explicit RegistryCall(HKEY handle);

    // ERROR_INVALID_HANDLE, a failure to open the store, or ERROR_SUCCESS.
    LONG status() const { return m_status; }
    const OpenKey &key() const { return *m_key; }
    HKEY handle() const { return m_handle; }
    RegistryStore &store();

    // Runs `work` as one transaction once the handle is known to hold all of `rights` (checked
    // first, as Windows checks a handle's rights before it looks at the key) and its key is
    // known to exist still.
    template <typename Work>
    LONG run(bool write, REGSAM rights, Work &&work)
    {
        if (m_status != ERROR_SUCCESS)
            return m_status;
        if ((m_key->access & rights) != rights)
            return ERROR_ACCESS_DENIED;
        return store().transact(write, [&]() -> LONG {
            if (!store().keyExists(m_key->key))
                return ERROR_KEY_DELETED;
            return work();
        });
    }

    // A new handle to `key` with `access`.
    HKEY newHandle(KeyId key, REGSAM access);

    // Closes an ordinary handle: false when it is not open.
    static bool closeHandle(HKEY handle);

private:
    void resolveRoot();

    std::unique_lock<std::mutex> m_guard;
    HKEY m_handle;
    std::optional<OpenKey> m_key;
    LONG m_status = ERROR_SUCCESS;
};

} // namespace registry
