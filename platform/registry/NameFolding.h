#pragma once
#include "platform/registry/PlatformRegistryExport.h"
#include <cstddef>
#include <string>
#include <string_view>

namespace registry {

// Key and value names compare without regard to letter case. A name is folded to upper case,
// code point by code point, with the simple Unicode upper-case mapping (so "straße" and "STRASSE"
// stay different, and `[ \ ] ^ _` and the backtick sort after `Z` as they do on Windows).
// Bytes that are not valid UTF-8 are kept as they are.
PLATFORMREGISTRY_EXPORT std::string foldName(std::string_view utf8);

// The length of a name in characters (code points); an invalid byte counts as one character.
PLATFORMREGISTRY_EXPORT std::size_t characterCount(std::string_view utf8);

} // namespace registry
