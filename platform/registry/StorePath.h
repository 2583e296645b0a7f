#pragma once
#include "platform/registry/PlatformRegistryExport.h"
#include <string>

namespace registry {

// The environment variable that names the store file (the whole path).
inline constexpr const char *StorePathVariable = "EMBERCOFFER_REGISTRY";

// Where the current user's registry store lives: the file named by EMBERCOFFER_REGISTRY when
// it is set, else EmberCoffer/registry.db under $XDG_CONFIG_HOME (default ~/.config).
// Empty when no home folder can be found, and when EMBERCOFFER_REGISTRY is set but empty: such
// a value is most likely a variable that was meant to hold a path, and taking it for the
// user's own store would let the caller change settings it meant to keep apart.
PLATFORMREGISTRY_EXPORT std::string registryStorePath();

// Whether EMBERCOFFER_REGISTRY is set but empty, so that no store is used.
PLATFORMREGISTRY_EXPORT bool storePathVariableIsEmpty();

} // namespace registry
