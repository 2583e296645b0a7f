#include "platform/registry/PredefinedRoot.h"

#include <cstdint>

namespace registry {
namespace {

struct RootEntry {
    std::uint32_t value;
    const char *name;
};

// In the order of the enumeration.
constexpr std::array<RootEntry, AllPredefinedRoots.size()> Roots = {{
    {0x80000000u, "HKEY_CLASSES_ROOT"},
    {0x80000001u, "HKEY_CURRENT_USER"},
    {0x80000002u, "HKEY_LOCAL_MACHINE"},
    {0x80000003u, "HKEY_USERS"},
    {0x80000005u, "HKEY_CURRENT_CONFIG"},
}};

constexpr std::uint32_t FirstPredefined = 0x80000000u;

// The low 32 bits of a handle: a root may arrive sign-extended, zero-extended, or with other
// bits set above them.
std::uint32_t low32(HKEY handle)
{
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
}

} // namespace

const char *rootKeyName(PredefinedRoot root) { return Roots[static_cast<std::size_t>(root)].name; }

bool isPredefinedValue(HKEY handle) { return low32(handle) >= FirstPredefined; }

std::optional<PredefinedRoot> predefinedRoot(HKEY handle)
{
    for (std::size_t index = 0; index < Roots.size(); ++index) {
        if (Roots[index].value == low32(handle))
            return AllPredefinedRoots[index];
    }
    return std::nullopt;
}

} // namespace registry
