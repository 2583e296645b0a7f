#include "bench/SealSpeed.h"

#include <chrono>
#include <sodium.h>
#include <vector>

#include "globals/engine/AgePayload.h"

double sealSeconds(std::uint64_t bytes)
{
    std::vector<unsigned char> chunk(age::chunkSize + age::tagSize);
    unsigned char key[crypto_aead_chacha20poly1305_IETF_KEYBYTES] = {};
    unsigned char nonce[crypto_aead_chacha20poly1305_IETF_NPUBBYTES] = {};
    const auto start = std::chrono::steady_clock::now();
    for (std::uint64_t done = 0; done < bytes; done += age::chunkSize) {
        ++nonce[0];
        crypto_aead_chacha20poly1305_ietf_encrypt(chunk.data(), nullptr, chunk.data(),
                                                  age::chunkSize, nullptr, 0, nullptr, nonce, key);
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
