#pragma once
#include "platform/registry/PlatformRegistryExport.h"
#include <string>

namespace registry {

// The environment variable that names the store file (the whole path).
inline constexpr const char *StorePathVariable = "EMBERCOFFER_REGISTRY";

// Where the current user's registry store lives: the file named by EMBERCOFFER_REGISTRY when
// it is set, else EmberCoffer/registry.db under $XDG_CONFIG_HOME (default ~/.config).
// Empty when no home folder can be found.
PLATFORMREGISTRY_EXPORT std::string registryStorePath();

} // namespace registry
