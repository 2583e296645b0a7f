#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <optional>
#include <string>
#include <vector>

#include "globals/engine/ByteStream.h"
#include "globals/engine/Hkdf.h"

namespace age {

struct VANTRELGLOBALS_EXPORT Stanza {
    std::vector<std::string> args; // args[0] is the stanza type
    Bytes body;
};

struct VANTRELGLOBALS_EXPORT Header {
    std::vector<Stanza> stanzas;
    std::string macInput; // the header text up to and including "---"
    Bytes mac;            // 32 bytes
};

// The largest header accepted; real headers are a few hundred bytes.
inline constexpr std::size_t maxHeaderSize = 1024 * 1024;

// Parses the header at the start of `reader`, leaving it at the first payload byte.
// Only the grammar is checked here; what a stanza's arguments mean is the identities' affair.
VANTRELGLOBALS_EXPORT std::optional<Header> parseHeader(ByteReader &reader, Failure &failure);

// The header text up to and including "---" for the given stanzas.
VANTRELGLOBALS_EXPORT std::string encodeHeaderWithoutMac(const std::vector<Stanza> &stanzas);

// The complete header: the text above followed by " ", the MAC and a line feed.
VANTRELGLOBALS_EXPORT std::string encodeHeader(const std::vector<Stanza> &stanzas,
                                               const Key32 &macKey);

// HMAC-SHA-256 over `macInput` with the key derived from the file key.
VANTRELGLOBALS_EXPORT Key32 headerMac(const std::string &macInput, const Key32 &macKey);
VANTRELGLOBALS_EXPORT Key32 headerMacKey(const std::uint8_t *fileKey, std::size_t size);

} // namespace age
