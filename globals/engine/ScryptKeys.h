#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <optional>

#include "globals/engine/Base64.h"
#include "globals/engine/Hkdf.h"

namespace age {

// A wrap key with the salt it was derived under.
struct VANTRELGLOBALS_EXPORT SaltedWrapKey {
    Bytes salt;
    Key32 wrapKey;
};

// Where the engine takes its scrypt wrap keys from when they are not derived on the spot: a run
// over many files derives the keys of upcoming files on other processors while one file
// streams. Both calls come from the thread that runs the engine.
class VANTRELGLOBALS_EXPORT ScryptKeys {
public:
    virtual ~ScryptKeys() = default;
    // A wrap key under a fresh random salt for a new file; nullopt when it cannot be derived.
    virtual std::optional<SaltedWrapKey> freshKey(int workFactor) = 0;
    // The wrap key for an existing file's salt; nullopt when it cannot be derived.
    virtual std::optional<Key32> keyForSalt(const Bytes &salt, int workFactor) = 0;
};

} // namespace age
