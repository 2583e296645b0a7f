#include "platform/registry/RegistryCall.h"

#include "platform/registry/StorePath.h"

namespace registry {
namespace {

struct Registry {
    std::mutex lock;
    RegistryStore store;
    HandleTable handles;
};

Registry &registry()
{
    static Registry instance;
    return instance;
}

// The key rights a handle opened with `desired` holds: generic rights stand for their key
// rights, and MAXIMUM_ALLOWED for every right.
REGSAM keyRights(REGSAM desired)
{
    if ((desired & MAXIMUM_ALLOWED) != 0)
        return KEY_ALL_ACCESS;
    REGSAM rights = desired & ~(GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE | GENERIC_ALL);
    if ((desired & (GENERIC_READ | GENERIC_EXECUTE)) != 0)
        rights |= KEY_READ;
    if ((desired & GENERIC_WRITE) != 0)
        rights |= KEY_WRITE;
    if ((desired & GENERIC_ALL) != 0)
        rights |= KEY_ALL_ACCESS;
    return rights;
}

} // namespace

RegistryCall::RegistryCall(HKEY handle) : m_guard(registry().lock), m_handle(handle)
{
    Registry &shared = registry();
    const std::string path = registryStorePath();
    if (path != shared.store.path())
        shared.handles.clear();
    m_status = shared.store.open(path);
    if (const std::optional<PredefinedRoot> root = predefinedRoot(handle)) {
        m_key = OpenKey{0, KEY_ALL_ACCESS, root};
        if (m_status == ERROR_SUCCESS)
            resolveRoot();
    } else {
        m_key = shared.handles.find(handle);
        if (!m_key)
            m_status = ERROR_INVALID_HANDLE;
    }
}

// A read-only store made before a root existed lacks that root's key: it can be neither read
// nor written.
void RegistryCall::resolveRoot()
{
    const std::optional<KeyId> key = store().rootKey(*m_key->root);
    if (key)
        m_key->key = *key;
    else
        m_status = ERROR_ACCESS_DENIED;
}

RegistryStore &RegistryCall::store() { return registry().store; }

HKEY RegistryCall::newHandle(KeyId key, REGSAM access)
{
    return registry().handles.add({key, keyRights(access), std::nullopt});
}

bool RegistryCall::closeHandle(HKEY handle)
{
    Registry &shared = registry();
    const std::lock_guard guard(shared.lock);
    return shared.handles.remove(handle);
}

} // namespace registry
