#include "globals/engine/AgeIdentity.h"

#include <sodium.h>

namespace age {

namespace {
constexpr std::uint8_t zeroNonce[crypto_aead_chacha20poly1305_IETF_NPUBBYTES] = {};
}

Bytes sealFileKey(const Key32 &wrapKey, const FileKey &fileKey)
{
    Bytes body(fileKey.size() + crypto_aead_chacha20poly1305_IETF_ABYTES);
    crypto_aead_chacha20poly1305_ietf_encrypt(body.data(), nullptr, fileKey.data(), fileKey.size(),
                                              nullptr, 0, nullptr, zeroNonce, wrapKey.data());
    return body;
}

std::optional<FileKey> openFileKey(const Key32 &wrapKey, const Bytes &body)
{
    FileKey key;
    if (body.size() != key.size() + crypto_aead_chacha20poly1305_IETF_ABYTES)
        return std::nullopt;
    if (crypto_aead_chacha20poly1305_ietf_decrypt(key.data(), nullptr, nullptr, body.data(),
                                                  body.size(), nullptr, 0, zeroNonce,
                                                  wrapKey.data()) != 0)
        return std::nullopt;
    return key;
}

FileKey randomFileKey()
{
    FileKey key;
    randombytes_buf(key.data(), key.size());
    return key;
}

} // namespace age
