#pragma once
#include "platform/registry/winreg.h"

#include <string>
#include <vector>

namespace registry {

// The longest key name component and the longest value name, in characters.
inline constexpr std::size_t MaxKeyNameLength = 255;
inline constexpr std::size_t MaxValueNameLength = 16383;

// A subkey path split at its backslashes. A null or empty path names the key itself.
struct KeyPath {
    LONG status = ERROR_SUCCESS;
    std::vector<std::string> components;
};

// Splits `path` into its components: `\` is the only separator, trailing and doubled separators
// are ignored, a leading one gives ERROR_BAD_PATHNAME and a component that is too long
// ERROR_INVALID_PARAMETER.
KeyPath splitKeyPath(LPCSTR path);

// ERROR_INVALID_PARAMETER when a value name is too long, else ERROR_SUCCESS.
LONG checkValueName(const std::string &name);

} // namespace registry
