#include "platform/registry/HandleTable.h"

namespace registry {
namespace {

constexpr std::uintptr_t LastHandleValue = 0x7FFFFFFCu;

} // namespace

HKEY HandleTable::add(const OpenKey &key)
{
    if (m_next > LastHandleValue)
        return nullptr;
    const std::uintptr_t value = m_next;
    m_next += 4;
    m_keys[value] = key;
    return reinterpret_cast<HKEY>(value);
}

std::optional<OpenKey> HandleTable::find(HKEY handle) const
{
    const auto found = m_keys.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == m_keys.end())
        return std::nullopt;
    return found->second;
}

bool HandleTable::remove(HKEY handle)
{
    return m_keys.erase(reinterpret_cast<std::uintptr_t>(handle)) > 0;
}

} // namespace registry
