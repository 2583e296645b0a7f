#include "globals/engine/AgePayload.h"

#include <algorithm>
#include <atomic>
#include <optional>

#include "globals/engine/BatchPipeline.h"
#include "globals/engine/ChunkCipher.h"

namespace age {

namespace {
constexpr std::size_t sealedChunkSize = chunkSize + tagSize;

// 11-byte big-endian chunk counter, then 1 for the final chunk and 0 before it.
ChunkNonce chunkNonce(std::uint64_t counter, bool final)
{
    ChunkNonce nonce{};
    for (int i = 10; i >= 3 && counter != 0; --i, counter >>= 8)
        nonce[std::size_t(i)] = std::uint8_t(counter);
    nonce[11] = final ? 1 : 0;
    return nonce;
}

// Where a batch lives in its lane's buffer. The input chunks are read, back to back, into
// the buffer after a gap; each chunk's result is written at the front, behind its own input,
// over input that is already used up. So one buffer small enough to stay in the processor's
// cache serves as input and output, with no result ever overlapping input still to be
// transformed. One byte after the input takes the look-ahead that tells whether the stream
// goes on.
class BatchLayout {
public:
    BatchLayout(std::size_t inChunk, std::size_t outChunk)
        : m_inChunk(inChunk), m_outChunk(outChunk),
          // Result j ends at (j + 1) * outChunk and input j starts at gap + j * inChunk.
          m_gap(outChunk + (chunksPerBatch - 1) * (outChunk > inChunk ? outChunk - inChunk : 0))
    {
    }

    std::size_t inChunk() const { return m_inChunk; }
    std::size_t capacity() const { return m_inChunk * chunksPerBatch; }
    std::size_t bufferSize() const { return m_gap + capacity() + 1; }
    std::uint8_t *input(Batch &batch, std::size_t j) const
    {
        return batch.buffer.data() + m_gap + j * m_inChunk;
    }
    std::uint8_t *output(Batch &batch, std::size_t j) const
    {
        return batch.buffer.data() + j * m_outChunk;
    }
    // Input bytes of chunk j.
    std::size_t inputSize(const Batch &batch, std::size_t j) const
    {
        return std::min(m_inChunk, batch.inSize - j * m_inChunk);
    }

private:
    std::size_t m_inChunk, m_outChunk, m_gap;
};

// The parts both directions share: reading batches with one byte of look-ahead, so that
// the batch holding the stream's last byte is known as the last one, and writing them out.
class StreamJob : public BatchJob {
public:
    StreamJob(ByteReader &reader, ByteSink &sink, const Key32 &key, BatchLayout layout)
        : m_key(key), m_layout(layout), m_reader(reader), m_sink(sink)
    {
    }

    std::size_t bufferSize() const override { return m_layout.bufferSize(); }

    bool read(Batch &batch) override
    {
        if (m_ended)
            return false;
        std::uint8_t *in = m_layout.input(batch, 0);
        std::size_t n = 0;
        if (m_pending) {
            in[0] = *m_pending;
            m_pending.reset();
            n = 1;
        }
        batch.inOffset = m_reader.offset() - n;
        n += m_reader.readFully(in + n, m_layout.capacity() + 1 - n, m_readFailure);
        if (m_readFailure)
            return m_ended = true, false;
        if (n > m_layout.capacity()) {
            m_pending = in[m_layout.capacity()];
            n = m_layout.capacity();
        }
        batch.inSize = n;
        batch.outSize = 0;
        batch.failure = {};
        batch.firstChunk = m_nextChunk;
        batch.last = m_ended = !m_pending;
        m_nextChunk += (n + m_layout.inChunk() - 1) / m_layout.inChunk();
        return true;
    }

    bool write(Batch &batch) override
    {
        if (Failure failure = m_sink.write(m_layout.output(batch, 0), batch.outSize))
            return m_writeFailure = failure, false;
        m_processed = batch.inOffset + batch.inSize;
        if (batch.failure)
            return m_writeFailure = batch.failure, false;
        return true;
    }

    Failure run(const ProgressFunction &progress)
    {
        // Helper lanes take their ciphers with them when they end; the calling thread's goes
        // here, also when the run throws.
        const struct ForgetCipher {
            ~ForgetCipher() { ChunkCipher::forgetThisThread(); }
        } forgetCipher;
        runBatches(*this, pipelineLanes(), [&] { progress(m_processed); });
        return m_writeFailure ? m_writeFailure : m_readFailure;
    }

protected:
    const Key32 &m_key;
    const BatchLayout m_layout;

private:
    ByteReader &m_reader;
    ByteSink &m_sink;
    std::optional<std::uint8_t> m_pending;
    bool m_ended = false;
    std::uint64_t m_nextChunk = 0;
    std::atomic<std::uint64_t> m_processed = 0;
    Failure m_readFailure, m_writeFailure;
};

class EncryptJob final : public StreamJob {
public:
    EncryptJob(ByteReader &reader, ByteSink &sink, const Key32 &key)
        : StreamJob(reader, sink, key, {chunkSize, sealedChunkSize})
    {
    }

    void transform(Batch &batch) override
    {
        // An empty stream still has one (empty) final chunk.
        const std::size_t chunks =
            std::max<std::size_t>(1, (batch.inSize + chunkSize - 1) / chunkSize);
        ChunkCipher &cipher = ChunkCipher::forThisThread();
        for (std::size_t j = 0; j < chunks; ++j) {
            const ChunkNonce nonce =
                chunkNonce(batch.firstChunk + j, batch.last && j + 1 == chunks);
            if (!cipher.seal(m_key, nonce, m_layout.input(batch, j), m_layout.inputSize(batch, j),
                             m_layout.output(batch, j))) {
                batch.failure = {FailureKind::Io, "the cipher failed",
                                 batch.inOffset + j * chunkSize};
                return;
            }
            batch.outSize += m_layout.inputSize(batch, j) + tagSize;
        }
    }
};

class DecryptJob final : public StreamJob {
public:
    DecryptJob(ByteReader &reader, ByteSink &sink, const Key32 &key)
        : StreamJob(reader, sink, key, {sealedChunkSize, chunkSize})
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
    // A failed attempt clears only the chunk's output, never its input, so that it can be
    // tried again with the other final flag.
    bool open(Batch &batch, std::size_t j, bool final)
    {
        const std::size_t size = m_layout.inputSize(batch, j);
        const ChunkNonce nonce = chunkNonce(batch.firstChunk + j, final);
        if (!ChunkCipher::forThisThread().open(m_key, nonce, m_layout.input(batch, j), size,
                                               m_layout.output(batch, j)))
            return false;
        batch.outSize += size - tagSize;
        return true;
    }

    // A chunk in the middle must open as a non-final one; one that opens as final there has
    // data after it. The chunk at the end must open as final; a full-size one that opens as
    // non-final is released, but the stream then lacks its final chunk.
    void openChunk(Batch &batch, std::size_t j, bool atEnd)
    {
        const std::size_t size = m_layout.inputSize(batch, j);
        const std::uint64_t offset = batch.inOffset + j * sealedChunkSize;
        if (size < tagSize) {
            batch.failure = {FailureKind::PayloadTruncated, "short chunk", offset};
        } else if (atEnd && size == tagSize && batch.firstChunk + j > 0) {
            batch.failure = {FailureKind::PayloadDamaged, "empty final chunk", offset};
        } else if (!atEnd) {
            if (open(batch, j, false))
                return;
            batch.failure = open(batch, j, true)
                                ? Failure{FailureKind::TrailingData, {}, offset + size}
                                : Failure{FailureKind::PayloadDamaged, {}, offset};
        } else if (!open(batch, j, true)) {
            batch.failure =
                size == sealedChunkSize && open(batch, j, false)
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
