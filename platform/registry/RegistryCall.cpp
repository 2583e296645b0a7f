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

} // namespace

RegistryCall::RegistryCall(HKEY handle) : m_guard(registry().lock)
{
    Registry &shared = registry();
    const std::string path = registryStorePath();
    if (path != shared.store.path())
        shared.handles.clear();
    const LONG opened = shared.store.open(path);
    m_key = shared.handles.find(handle);
    m_status = m_key ? opened : ERROR_INVALID_HANDLE;
}

RegistryStore &RegistryCall::store() { return registry().store; }

HKEY RegistryCall::newHandle(KeyId key, REGSAM access)
{
    const REGSAM granted = (access & MAXIMUM_ALLOWED) != 0 ? KEY_ALL_ACCESS : access;
    return registry().handles.add({key, granted, false});
}

bool RegistryCall::closeHandle(HKEY handle)
{
    Registry &shared = registry();
    const std::lock_guard guard(shared.lock);
    return shared.handles.remove(handle);
}

} // namespace registry
