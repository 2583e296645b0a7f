#pragma once
#include <string>

#include "AgeIdentity.h"

namespace age {

inline constexpr int maxReadWorkFactor = 22;

// Opens the scrypt stanza with a passphrase. A work factor above `maxWorkFactor` is
// refused before any memory is set aside for the derivation.
class ScryptIdentity final : public Identity {
public:
    explicit ScryptIdentity(std::string passphrase, int maxWorkFactor = maxReadWorkFactor);
    ~ScryptIdentity() override;
    std::optional<FileKey> unwrap(const std::vector<Stanza> &stanzas, Failure &failure) const override;

private:
    std::string passphrase_;
    int maxWorkFactor_;
};

// The scrypt stanza wrapping `fileKey` under `passphrase` with a fresh salt.
Stanza scryptStanza(const FileKey &fileKey, const std::string &passphrase, int workFactor);

// The wrap key scrypt derives from the passphrase, salt and work factor (log2 N).
std::optional<Key32> scryptWrapKey(const std::string &passphrase, const Bytes &salt, int workFactor);

} // namespace age
