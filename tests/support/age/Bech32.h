#pragma once
#include <optional>
#include <string>
#include <string_view>

#include "globals/engine/Base64.h"

namespace age {

struct Bech32Data {
    std::string hrp; // lower case
    Bytes data;      // the 8-bit payload
};

// Decodes a Bech32 string (all upper or all lower case, checksum verified, no length
// limit) into its human-readable part and its payload bytes.
std::optional<Bech32Data> bech32Decode(std::string_view text);

} // namespace age
