#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <array>
#include <optional>
#include <vector>

#include "globals/engine/AgeHeader.h"

namespace age {

using FileKey = SecretArray<16>;

// Something that can open stanzas of one type. It checks every stanza of its type, even
// those it cannot open, and ignores the rest.
class VANTRELGLOBALS_EXPORT Identity {
public:
    virtual ~Identity() = default;
    // The file key when a stanza opens; nullopt otherwise, with `failure` set when a stanza
    // of its type is malformed (the file must then be rejected) and left clear on no match.
    virtual std::optional<FileKey> unwrap(const std::vector<Stanza> &stanzas,
                                          Failure &failure) const = 0;
};

// The stanza body for a file key under a 32-byte wrap key, and back. The body must be
// exactly a 16-byte key and its tag before any attempt to open it.
VANTRELGLOBALS_EXPORT Bytes sealFileKey(const Key32 &wrapKey, const FileKey &fileKey);
VANTRELGLOBALS_EXPORT std::optional<FileKey> openFileKey(const Key32 &wrapKey, const Bytes &body);

// A fresh random file key.
VANTRELGLOBALS_EXPORT FileKey randomFileKey();

} // namespace age
