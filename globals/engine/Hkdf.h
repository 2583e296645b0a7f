#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <cstdint>
#include <string_view>

#include "globals/engine/SecretArray.h"

namespace age {

// Keys (wrap keys, MAC keys, payload keys) and MACs: wiped when they go.
using Key32 = SecretArray<32>;

// HKDF-SHA-256 (extract, then expand) giving 32 bytes.
VANTRELGLOBALS_EXPORT Key32 hkdfSha256(const std::uint8_t *ikm, std::size_t ikmSize,
                                       const std::uint8_t *salt, std::size_t saltSize,
                                       std::string_view info);

VANTRELGLOBALS_EXPORT Key32 hmacSha256(const Key32 &key, const std::uint8_t *data,
                                       std::size_t size);

} // namespace age
