#include "globals/engine/Hkdf.h"

#include <sodium.h>

namespace age {

Key32 hmacSha256(const Key32 &key, const std::uint8_t *data, std::size_t size)
{
    crypto_auth_hmacsha256_state state;
    crypto_auth_hmacsha256_init(&state, key.data(), key.size());
    crypto_auth_hmacsha256_update(&state, data, size);
    Key32 out;
    crypto_auth_hmacsha256_final(&state, out.data());
    sodium_memzero(&state, sizeof state);
    return out;
}

Key32 hkdfSha256(const std::uint8_t *ikm, std::size_t ikmSize, const std::uint8_t *salt,
                 std::size_t saltSize, std::string_view info)
{
    // No salt is an empty HMAC key; the library wants a pointer even for zero bytes.
    static const std::uint8_t noSalt = 0;
    crypto_auth_hmacsha256_state state;
    Key32 prk;
    crypto_auth_hmacsha256_init(&state, salt != nullptr ? salt : &noSalt, saltSize);
    crypto_auth_hmacsha256_update(&state, ikm, ikmSize);
    crypto_auth_hmacsha256_final(&state, prk.data());

    // One block of output: T(1) = HMAC(PRK, info || 0x01).
    const std::uint8_t counter = 1;
    Key32 out;
    crypto_auth_hmacsha256_init(&state, prk.data(), prk.size());
    crypto_auth_hmacsha256_update(&state, reinterpret_cast<const std::uint8_t *>(info.data()),
                                  info.size());
    crypto_auth_hmacsha256_update(&state, &counter, 1);
    crypto_auth_hmacsha256_final(&state, out.data());
    sodium_memzero(&state, sizeof state);
    return out;
}

} // namespace age
