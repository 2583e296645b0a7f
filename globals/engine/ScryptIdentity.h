#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <string>

#include "globals/engine/AgeIdentity.h"
#include "globals/engine/ScryptKeys.h"

namespace age {

// The largest work factor read (what other age tools read too; 2^22 takes 4 GiB), and the
// range offered to users when writing: below 2^10 a key falls to guessing too cheaply.
inline constexpr int maxReadWorkFactor = 22;
inline constexpr int minOfferedWorkFactor = 10;

// Opens the scrypt stanza with a passphrase. A work factor above `maxWorkFactor` is
// refused before any memory is set aside for the derivation. With `keys` given, wrap keys come
// from there instead of being derived on the spot.
class VANTRELGLOBALS_EXPORT ScryptIdentity final : public Identity {
public:
    explicit ScryptIdentity(std::string passphrase, int maxWorkFactor = maxReadWorkFactor,
                            ScryptKeys *keys = nullptr);
    ~ScryptIdentity() override;
    std::optional<FileKey> unwrap(const std::vector<Stanza> &stanzas,
                                  Failure &failure) const override;

private:
    std::string m_passphrase;
    int m_maxWorkFactor;
    ScryptKeys *m_keys;
};

// The scrypt stanza wrapping `fileKey` under `passphrase` with a fresh salt.
VANTRELGLOBALS_EXPORT Stanza scryptStanza(const FileKey &fileKey, const std::string &passphrase,
                                          int workFactor);

// The same with a wrap key derived beforehand under its salt.
VANTRELGLOBALS_EXPORT Stanza scryptStanza(const FileKey &fileKey, const SaltedWrapKey &key,
                                          int workFactor);

// A fresh random salt for a new scrypt stanza.
VANTRELGLOBALS_EXPORT Bytes freshScryptSalt();

// The salt and work factor of a well-formed scrypt stanza; nullopt for any other stanza.
struct VANTRELGLOBALS_EXPORT ScryptParameters {
    Bytes salt;
    int workFactor = 0;
};
VANTRELGLOBALS_EXPORT std::optional<ScryptParameters> scryptParametersOf(const Stanza &stanza);

// The wrap key scrypt derives from the passphrase, salt and work factor (log2 N).
VANTRELGLOBALS_EXPORT std::optional<Key32> scryptWrapKey(const std::string &passphrase,
                                                         const Bytes &salt, int workFactor);

} // namespace age
