#include "bench/SealSpeed.h"

#include <chrono>
#include <vector>

#include "globals/engine/AgePayload.h"
#include "globals/engine/ChunkCipher.h"

double sealSeconds(std::uint64_t bytes)
{
    std::vector<unsigned char> in(age::chunkSize), out(age::chunkSize + age::tagSize);
    const age::Key32 key{};
    age::ChunkNonce nonce{};
    age::ChunkCipher &cipher = age::ChunkCipher::forThisThread();
    const auto start = std::chrono::steady_clock::now();
    for (std::uint64_t done = 0; done < bytes; done += age::chunkSize) {
        ++nonce[0];
        if (!cipher.seal(key, nonce, in.data(), in.size(), out.data()))
            return -1;
    }
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
