#include "globals/engine/AgePayload.h"

#include <algorithm>
#include <atomic>
#include <optional>
#include <sodium.h>

#include "globals/engine/BatchPipeline.h"

namespace age {

namespace {
constexpr std::size_t sealedChunkSize = chunkSize + tagSize;
constexpr std::size_t chunksPerBatch = 32;

using ChunkNonce = std::array<std::uint8_t, crypto_aead_chacha20poly1305_IETF_NPUBBYTES>;

// 11-byte big-endian chunk counter, then 1 for the final chunk and 0 before it.
ChunkNonce chunkNonce(std::uint64_t counter, bool final)
{
    ChunkNonce nonce{};
    for (int i = 10; i >= 3 && counter != 0; --i, counter >>= 8)
        nonce[std::size_t(i)] = std::uint8_t(counter);
    nonce[11] = final ? 1 : 0;
    return nonce;
}

// The parts both directions share: reading batches with one byte of look-ahead, so that
// the batch holding the stream's last byte is known as the last one, and writing them out.
class StreamJob : public BatchJob {
public:
    StreamJob(ByteReader &reader, ByteSink &sink, const Key32 &key, std::size_t inChunk,
              std::size_t outChunk)
        : m_key(key), m_reader(reader), m_sink(sink), m_inChunk(inChunk), m_outChunk(outChunk)
    {
    }

    bool read(Batch &batch) override
    {
        if (m_ended)
            return false;
        batch.in.resize(m_inChunk * chunksPerBatch);
        batch.out.resize(m_outChunk * chunksPerBatch);
        batch.inOffset = m_reader.offset() - (m_pending ? 1 : 0);
        batch.firstChunk = m_nextChunk;
        batch.failure = {};
        batch.outSize = 0;
        std::size_t n = 0;
        if (m_pending) {
            batch.in[0] = *m_pending;
            m_pending.reset();
            n = 1;
        }
        n += m_reader.readFully(batch.in.data() + n, batch.in.size() - n, m_readFailure);
        std::uint8_t next;
        if (n == batch.in.size() && m_reader.readFully(&next, 1, m_readFailure) == 1)
            m_pending = next;
        if (m_readFailure)
            return m_ended = true, false;
        batch.inSize = n;
        batch.last = m_ended = !m_pending;
        m_nextChunk += (n + m_inChunk - 1) / m_inChunk;
        return true;
    }

    bool write(Batch &batch) override
    {
        if (Failure failure = m_sink.write(batch.out.data(), batch.outSize))
            return m_writeFailure = failure, false;
        m_processed = batch.inOffset + batch.inSize;
        if (batch.failure)
            return m_writeFailure = batch.failure, false;
        return true;
    }

    Failure run(const ProgressFunction &progress)
    {
        runBatches(*this, [&] { progress(m_processed); });
        return m_writeFailure ? m_writeFailure : m_readFailure;
    }

protected:
    const Key32 &m_key;

private:
    ByteReader &m_reader;
    ByteSink &m_sink;
    const std::size_t m_inChunk, m_outChunk;
    std::optional<std::uint8_t> m_pending;
    bool m_ended = false;
    std::uint64_t m_nextChunk = 0;
    std::atomic<std::uint64_t> m_processed = 0;
    Failure m_readFailure, m_writeFailure;
};

class EncryptJob final : public StreamJob {
public:
    EncryptJob(ByteReader &reader, ByteSink &sink, const Key32 &key)
        : StreamJob(reader, sink, key, chunkSize, sealedChunkSize)
    {
    }

    void transform(Batch &batch) override
    {
        // An empty stream still has one (empty) final chunk.
        const std::size_t chunks =
            std::max<std::size_t>(1, (batch.inSize + chunkSize - 1) / chunkSize);
        for (std::size_t j = 0; j < chunks; ++j) {
            const std::size_t size = std::min(chunkSize, batch.inSize - j * chunkSize);
            const ChunkNonce nonce =
                chunkNonce(batch.firstChunk + j, batch.last && j + 1 == chunks);
            crypto_aead_chacha20poly1305_ietf_encrypt(
                batch.out.data() + j * sealedChunkSize, nullptr, batch.in.data() + j * chunkSize,
                size, nullptr, 0, nullptr, nonce.data(), m_key.data());
        }
        batch.outSize = batch.inSize + chunks * tagSize;
    }
};

class DecryptJob final : public StreamJob {
public:
    DecryptJob(ByteReader &reader, ByteSink &sink, const Key32 &key)
        : StreamJob(reader, sink, key, sealedChunkSize, chunkSize)
    {
    }

    void transform(Batch &batch) override
    {
        if (batch.inSize == 0) {
            batch.failure = {FailureKind::PayloadTruncated, "no chunk", batch.inOffset};
            return;
        }
        const std::size_t chunks = (batch.inSize + sealedChunkSize - 1) / sealedChunkSize;
        for (std::size_t j = 0; j < chunks && !batch.failure; ++j)
            openChunk(batch, j, batch.last && j + 1 == chunks);
    }

private:
    bool open(Batch &batch, std::size_t j, std::size_t size, bool final)
    {
        const ChunkNonce nonce = chunkNonce(batch.firstChunk + j, final);
        if (crypto_aead_chacha20poly1305_ietf_decrypt(batch.out.data() + j * chunkSize, nullptr,
                                                      nullptr,
                                                      batch.in.data() + j * sealedChunkSize, size,
                                                      nullptr, 0, nonce.data(), m_key.data()) != 0)
            return false;
        batch.outSize += size - tagSize;
        return true;
    }

    // A chunk in the middle must open as a non-final one; one that opens as final there has
    // data after it. The chunk at the end must open as final; a full-size one that opens as
    // non-final is released, but the stream then lacks its final chunk.
    void openChunk(Batch &batch, std::size_t j, bool atEnd)
    {
        const std::size_t size = std::min(sealedChunkSize, batch.inSize - j * sealedChunkSize);
        const std::uint64_t offset = batch.inOffset + j * sealedChunkSize;
        if (size < tagSize) {
            batch.failure = {FailureKind::PayloadTruncated, "short chunk", offset};
        } else if (atEnd && size == tagSize && batch.firstChunk + j > 0) {
            batch.failure = {FailureKind::PayloadDamaged, "empty final chunk", offset};
        } else if (!atEnd) {
            if (open(batch, j, size, false))
                return;
            batch.failure = open(batch, j, size, true)
                                ? Failure{FailureKind::TrailingData, {}, offset + size}
                                : Failure{FailureKind::PayloadDamaged, {}, offset};
        } else if (!open(batch, j, size, true)) {
            batch.failure =
                size == sealedChunkSize && open(batch, j, size, false)
                    ? Failure{FailureKind::PayloadTruncated, "no final chunk", offset + size}
                    : Failure{FailureKind::PayloadDamaged, {}, offset};
        }
    }
};
} // namespace

Key32 payloadKey(const FileKey &fileKey, const std::uint8_t *nonce)
{
    return hkdfSha256(fileKey.data(), fileKey.size(), nonce, payloadNonceSize, "payload");
}

Failure encryptPayload(ByteReader &plaintext, ByteSink &sink, const Key32 &key,
                       const ProgressFunction &progress)
{
    return EncryptJob(plaintext, sink, key).run(progress);
}

Failure decryptPayload(ByteReader &ciphertext, ByteSink &sink, const Key32 &key,
                       const ProgressFunction &progress)
{
    return DecryptJob(ciphertext, sink, key).run(progress);
}

} // namespace age
