#include "globals/engine/ChunkCipher.h"

#include <openssl/evp.h>
#include <sodium.h>

#include <memory>
#include <new>

namespace age {

namespace {
constexpr int tagBytes = 16;

// Freeing a context wipes it.
thread_local std::unique_ptr<ChunkCipher> threadCipher;
} // namespace

ChunkCipher::ChunkCipher() : m_context(EVP_CIPHER_CTX_new())
{
    // The cipher is chosen once; each chunk then sets only its key, nonce and direction, which
    // spares the library looking the cipher up again for every chunk.
    if (!m_context ||
        EVP_CipherInit_ex(m_context, EVP_chacha20_poly1305(), nullptr, nullptr, nullptr, 1) != 1) {
        EVP_CIPHER_CTX_free(m_context);
        throw std::bad_alloc();
    }
}

ChunkCipher::~ChunkCipher() { EVP_CIPHER_CTX_free(m_context); }

ChunkCipher &ChunkCipher::forThisThread()
{
    if (!threadCipher)
        threadCipher = std::make_unique<ChunkCipher>();
    return *threadCipher;
}

void ChunkCipher::forgetThisThread() { threadCipher.reset(); }

bool ChunkCipher::seal(const Key32 &key, const ChunkNonce &nonce, const std::uint8_t *in,
                       std::size_t size, std::uint8_t *out)
{
    int written = 0, finished = 0;
    // Chunks are at most 64 KiB, so every length fits an int.
    return EVP_CipherInit_ex(m_context, nullptr, nullptr, key.data(), nonce.data(), 1) == 1 &&
           EVP_EncryptUpdate(m_context, out, &written, in, int(size)) == 1 &&
           EVP_EncryptFinal_ex(m_context, out + written, &finished) == 1 &&
           EVP_CIPHER_CTX_ctrl(m_context, EVP_CTRL_AEAD_GET_TAG, tagBytes, out + size) == 1;
}

bool ChunkCipher::open(const Key32 &key, const ChunkNonce &nonce, const std::uint8_t *in,
                       std::size_t size, std::uint8_t *out)
{
    if (size < std::size_t(tagBytes))
        return false;
    const int textSize = int(size - tagBytes);
    int written = 0, finished = 0;
    // The tag is only read, but the interface takes a writable pointer.
    auto *tag = const_cast<std::uint8_t *>(in + textSize);
    const bool authentic =
        EVP_CipherInit_ex(m_context, nullptr, nullptr, key.data(), nonce.data(), 0) == 1 &&
        EVP_CIPHER_CTX_ctrl(m_context, EVP_CTRL_AEAD_SET_TAG, tagBytes, tag) == 1 &&
        EVP_DecryptUpdate(m_context, out, &written, in, textSize) == 1 &&
        EVP_DecryptFinal_ex(m_context, out + written, &finished) == 1;
    // The cipher decrypts before it checks: what a forged chunk decrypted to must not stay.
    if (!authentic)
        sodium_memzero(out, std::size_t(textSize));
    return authentic;
}

} // namespace age
