#include "tests/support/age/X25519Identity.h"

#include <sodium.h>

#include "tests/support/age/Bech32.h"

namespace age {

namespace {
constexpr std::string_view wrapLabel = "age-encryption.org/v1/X25519";
}

std::optional<X25519Identity> X25519Identity::fromBech32(std::string_view text)
{
    const auto decoded = bech32Decode(text);
    if (!decoded || decoded->hrp != "age-secret-key-" || decoded->data.size() != 32)
        return std::nullopt;
    Key32 secret;
    std::copy(decoded->data.begin(), decoded->data.end(), secret.begin());
    return X25519Identity(std::move(secret));
}

X25519Identity::X25519Identity(Key32 secret) : m_secret(std::move(secret))
{
    crypto_scalarmult_base(m_recipient.data(), m_secret.data());
}

std::optional<FileKey> X25519Identity::unwrap(const std::vector<Stanza> &stanzas,
                                              Failure &failure) const
{
    for (const Stanza &stanza : stanzas) {
        if (stanza.args[0] != "X25519")
            continue;
        const auto share = stanza.args.size() == 2 ? base64Decode(stanza.args[1]) : std::nullopt;
        if (!share || share->size() != 32)
            return failure = Failure::header("bad X25519 stanza arguments"), std::nullopt;
        if (stanza.body.size() != FileKey::size() + crypto_aead_chacha20poly1305_IETF_ABYTES)
            return failure = Failure::header("bad X25519 stanza body length"), std::nullopt;
        Key32 shared;
        // libsodium refuses a result of all zero bytes, which a low-order share produces.
        if (crypto_scalarmult(shared.data(), m_secret.data(), share->data()) != 0)
            return failure = Failure::header("X25519 share is a low-order point"), std::nullopt;
        Bytes salt(*share);
        salt.insert(salt.end(), m_recipient.begin(), m_recipient.end());
        const Key32 wrapKey =
            hkdfSha256(shared.data(), shared.size(), salt.data(), salt.size(), wrapLabel);
        if (auto key = openFileKey(wrapKey, stanza.body))
            return key;
    }
    return std::nullopt;
}

} // namespace age
