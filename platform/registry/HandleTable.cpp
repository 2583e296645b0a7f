#include "platform/registry/HandleTable.h"

namespace registry {
namespace {

constexpr std::uint32_t FirstPredefined = 0x80000000u;
constexpr std::uintptr_t LastHandleValue = 0x7FFFFFFCu;

// The low 32 bits of a handle: the roots may arrive sign-extended or not.
std::uint32_t low32(HKEY handle)
{
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
}

} // namespace

bool HandleTable::isPredefinedValue(HKEY handle)
{
    const auto value = reinterpret_cast<std::uintptr_t>(handle);
    const std::uintptr_t high = value >> 31 >> 1;
    const bool extension = high == 0 || high == (~std::uintptr_t{0} >> 31 >> 1);
    return extension && low32(handle) >= FirstPredefined;
}

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
    if (isPredefinedValue(handle)) {
        const std::uint32_t root = low32(handle) - FirstPredefined;
        if (root >= RootCount)
            return std::nullopt;
        return OpenKey{FirstRootId + root, KEY_ALL_ACCESS, true};
    }
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
