#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <array>
#include <cstddef>
#include <cstdint>

#include "globals/engine/AgeIdentity.h"

typedef struct evp_cipher_ctx_st EVP_CIPHER_CTX;

namespace age {

using ChunkNonce = std::array<std::uint8_t, 12>;

// ChaCha20-Poly1305 (IETF) for the payload's chunks, through OpenSSL's implementation: on this
// project's machines it seals about three times as fast per processor as libsodium's, and the
// payload is where the time goes. Keys, stanzas and the header stay with libsodium.
// One object per thread: it keeps a cipher context for the chunks that thread seals or opens.
class VANTRELGLOBALS_EXPORT ChunkCipher {
public:
    ChunkCipher();
    ~ChunkCipher();
    ChunkCipher(const ChunkCipher &) = delete;
    ChunkCipher &operator=(const ChunkCipher &) = delete;

    // The calling thread's cipher. Throws std::bad_alloc when its context cannot be made.
    static ChunkCipher &forThisThread();
    // Drops the calling thread's cipher, so that no key schedule outlives the run that set it.
    static void forgetThisThread();

    // Writes the `size` bytes at `in`, sealed, to `out`: the ciphertext, then the 16-byte tag.
    // `in` and `out` must not overlap. False when the cipher failed.
    [[nodiscard]] bool seal(const Key32 &key, const ChunkNonce &nonce, const std::uint8_t *in,
                            std::size_t size, std::uint8_t *out);
    // Opens `size` bytes (ciphertext and tag) at `in` into `out` (size - 16 bytes). False when
    // the chunk does not authenticate; `out` is then cleared.
    [[nodiscard]] bool open(const Key32 &key, const ChunkNonce &nonce, const std::uint8_t *in,
                            std::size_t size, std::uint8_t *out);

private:
    EVP_CIPHER_CTX *m_context;
};

} // namespace age
