#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace age {

using Bytes = std::vector<std::uint8_t>;

// Standard base64 without '=' padding, as the age header uses it.
VANTRELGLOBALS_EXPORT std::string base64Encode(const std::uint8_t *data, std::size_t size);
inline std::string base64Encode(const Bytes &bytes)
{
    return base64Encode(bytes.data(), bytes.size());
}

// Decodes only the canonical form: alphabet characters, no padding, unused low bits zero,
// and no length that leaves a lone character. Anything else gives nullopt.
VANTRELGLOBALS_EXPORT std::optional<Bytes> base64Decode(std::string_view text);

} // namespace age
