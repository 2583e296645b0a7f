#pragma once
#include "HandleTable.h"
#include "RegistryStore.h"

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
    LONG status() const { return status_; }
    const OpenKey &key() const { return *key_; }
    RegistryStore &store();

    // Runs `work` as one transaction after making sure the handle's key still exists.
    template <typename Work>
    LONG run(bool write, Work &&work)
    {
        if (status_ != ERROR_SUCCESS)
            return status_;
        return store().transact(write, [&]() -> LONG {
            if (!store().keyExists(key_->key))
                return ERROR_KEY_DELETED;
            return work();
        });
    }

    // A new handle to `key` with `access`.
    HKEY newHandle(KeyId key, REGSAM access);

    // Closes an ordinary handle: false when it is not open.
    static bool closeHandle(HKEY handle);

private:
    std::unique_lock<std::mutex> guard_;
    std::optional<OpenKey> key_;
    LONG status_ = ERROR_SUCCESS;
};

} // namespace registry
