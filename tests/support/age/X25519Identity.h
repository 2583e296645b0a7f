#pragma once
#include <string_view>

#include "globals/engine/AgeIdentity.h"

namespace age {

// Opens X25519 stanzas with a secret key ("AGE-SECRET-KEY-1..."). Used to read files
// written for public-key recipients, as the format's published test files are.
class X25519Identity final : public Identity {
public:
    static std::optional<X25519Identity> fromBech32(std::string_view text);
    X25519Identity(X25519Identity &&) noexcept = default;
    std::optional<FileKey> unwrap(const std::vector<Stanza> &stanzas,
                                  Failure &failure) const override;

private:
    explicit X25519Identity(Key32 secret);
    Key32 m_secret;
    Key32 m_recipient;
};

} // namespace age
