#pragma once
#include "platform/registry/winreg.h"

#include <array>
#include <optional>

namespace registry {

// The predefined root keys, each a tree of its own in the store.
enum class PredefinedRoot { ClassesRoot, CurrentUser, LocalMachine, Users, CurrentConfig };

inline constexpr std::array<PredefinedRoot, 5> AllPredefinedRoots = {
    PredefinedRoot::ClassesRoot, PredefinedRoot::CurrentUser, PredefinedRoot::LocalMachine,
    PredefinedRoot::Users, PredefinedRoot::CurrentConfig};

// The name of a root's key in the store ("HKEY_CURRENT_USER").
const char *rootKeyName(PredefinedRoot root);

// True for every handle value that Windows treats as predefined: only the low 32 bits of a
// handle count, and for these they are 0x80000000 or more.
bool isPredefinedValue(HKEY handle);

// The root that a predefined handle value stands for; none for any other value, including the
// predefined values that name no root in the store (0x80000004, 0x80000007 ...).
std::optional<PredefinedRoot> predefinedRoot(HKEY handle);

} // namespace registry
