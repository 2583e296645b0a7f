// The payload's cipher against libsodium's ChaCha20-Poly1305 (IETF), which the rest of the
// format uses: the same bytes both ways, at every chunk size that occurs.
#include "globals/engine/AgePayload.h"
#include "globals/engine/ChunkCipher.h"

#include <gtest/gtest.h>
#include <sodium.h>

namespace {

age::Key32 testKey()
{
    age::Key32 key;
    for (std::size_t i = 0; i < key.size(); ++i)
        key[i] = std::uint8_t(7 * i + 1);
    return key;
}

age::Bytes testText(std::size_t size)
{
    age::Bytes text(size);
    for (std::size_t i = 0; i < size; ++i)
        text[i] = std::uint8_t(i * 31 + (i >> 8));
    return text;
}

TEST(ChunkCipher, SealsAndOpensExactlyAsLibsodiumDoes)
{
    ASSERT_GE(sodium_init(), 0);
    const age::Key32 key = testKey();
    age::ChunkNonce nonce{};
    nonce[10] = 3;
    nonce[11] = 1;
    for (const std::size_t size : {std::size_t(0), std::size_t(1), std::size_t(63), std::size_t(64),
                                   age::chunkSize - 1, age::chunkSize}) {
        const age::Bytes text = testText(size);
        age::Bytes ours(size + age::tagSize), theirs(size + age::tagSize);
        ASSERT_TRUE(
            age::ChunkCipher::forThisThread().seal(key, nonce, text.data(), size, ours.data()));
        crypto_aead_chacha20poly1305_ietf_encrypt(theirs.data(), nullptr, text.data(), size,
                                                  nullptr, 0, nullptr, nonce.data(), key.data());
        EXPECT_EQ(ours, theirs) << size;

        age::Bytes opened(size);
        EXPECT_TRUE(age::ChunkCipher::forThisThread().open(key, nonce, theirs.data(), theirs.size(),
                                                           opened.data()));
        EXPECT_EQ(opened, text) << size;
    }
}

TEST(ChunkCipher, RefusesAForgedChunkAndLeavesNothingOfIt)
{
    const age::Key32 key = testKey();
    const age::ChunkNonce nonce{};
    const age::Bytes text = testText(1000);
    age::Bytes sealed(text.size() + age::tagSize);
    ASSERT_TRUE(age::ChunkCipher::forThisThread().seal(key, nonce, text.data(), text.size(),
                                                       sealed.data()));
    for (const std::size_t flipped : {std::size_t(0), text.size() - 1, sealed.size() - 1}) {
        age::Bytes forged = sealed;
        forged[flipped] ^= 0x20;
        age::Bytes opened(text.size(), 0xAA);
        EXPECT_FALSE(age::ChunkCipher::forThisThread().open(key, nonce, forged.data(),
                                                            forged.size(), opened.data()));
        EXPECT_EQ(opened, age::Bytes(text.size(), 0)) << flipped;
    }
    age::ChunkNonce otherNonce{};
    otherNonce[11] = 1; // the final-chunk flag alone makes it another chunk
    age::Bytes opened(text.size());
    EXPECT_FALSE(age::ChunkCipher::forThisThread().open(key, otherNonce, sealed.data(),
                                                        sealed.size(), opened.data()));
    EXPECT_FALSE(age::ChunkCipher::forThisThread().open(key, nonce, sealed.data(), age::tagSize - 1,
                                                        opened.data()));
}

} // namespace
