// The age format on bytes in memory: header text, payload chunking, and faults in both.
#include <gtest/gtest.h>

#include <algorithm>
#include <sodium.h>

#include "globals/engine/AgeFile.h"
#include "globals/engine/BatchPipeline.h"
#include "globals/engine/ScryptIdentity.h"

using namespace age;

namespace {

Bytes randomBytes(std::size_t size)
{
    Bytes bytes(size);
    if (size > 0) // an empty vector has no buffer to hand over
        randombytes_buf(bytes.data(), bytes.size());
    return bytes;
}

Bytes encryptToMemory(const Bytes &plaintext, const std::string &passphrase, int workFactor = 2)
{
    MemorySource source(plaintext);
    ByteReader reader(source);
    VectorSink sink;
    EXPECT_FALSE(encryptStream(reader, sink, passphrase, workFactor));
    return sink.bytes;
}

Failure decryptFromMemory(const Bytes &file, const std::string &passphrase, Bytes &plaintext)
{
    const ScryptIdentity identity(passphrase);
    return decryptBytes(file, {&identity}, plaintext);
}

std::size_t headerSize(const Bytes &file)
{
    const std::string text(file.begin(), file.end());
    return text.find('\n', text.find("\n---") + 1) + 1;
}

// Hands out the bytes in pieces of varying, often odd, sizes, as a pipe does; after
// `failAfter` bytes it reports a read error instead.
class UnevenSource final : public ByteSource {
public:
    explicit UnevenSource(const Bytes &bytes, std::size_t failAfter = SIZE_MAX)
        : m_bytes(bytes), m_failAfter(failAfter)
    {
    }
    std::size_t readSome(std::uint8_t *buffer, std::size_t size, Failure &failure) override
    {
        if (m_position >= m_failAfter) {
            failure = Failure::io("Input/output error");
            return 0;
        }
        m_piece = m_piece * 7 % 9001 + 1;
        const std::size_t n =
            std::min({size, m_piece, m_bytes.size() - m_position, m_failAfter - m_position});
        std::copy_n(m_bytes.data() + m_position, n, buffer);
        m_position += n;
        return n;
    }

private:
    const Bytes &m_bytes;
    std::size_t m_failAfter, m_position = 0, m_piece = 1;
};

Failure decryptFrom(ByteSource &source, const std::string &passphrase, Bytes &plaintext)
{
    ByteReader reader(source);
    VectorSink sink;
    const ScryptIdentity identity(passphrase);
    const Failure failure = decryptStream(reader, {&identity}, sink);
    plaintext = std::move(sink.bytes);
    return failure;
}

constexpr std::size_t sealedChunk = chunkSize + tagSize;
constexpr std::size_t batchSize = chunksPerBatch * chunkSize;

class FailingSink final : public ByteSink {
public:
    explicit FailingSink(std::size_t room) : m_room(room) {}
    Failure write(const std::uint8_t *, std::size_t size) override
    {
        if (size > m_room)
            return Failure::io("No space left on device");
        m_room -= size;
        return {};
    }

private:
    std::size_t m_room;
};

} // namespace

class AgeFormat : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_GE(sodium_init(), 0); }
};

TEST_F(AgeFormat, HeaderBodiesWrapAtSixtyFourColumnsAndParseBack)
{
    // 0 bytes: empty final line; 48 bytes: one full line and an empty final line.
    for (std::size_t size : {0u, 1u, 47u, 48u, 49u, 200u}) {
        const std::vector<Stanza> stanzas{{{"test", "arg"}, randomBytes(size)}};
        const Key32 macKey{};
        const std::string text = encodeHeader(stanzas, macKey);
        MemorySource source({reinterpret_cast<const std::uint8_t *>(text.data()), text.size()});
        ByteReader reader(source);
        Failure failure;
        const auto header = parseHeader(reader, failure);
        ASSERT_TRUE(header) << size << ": " << failure.message();
        EXPECT_EQ(header->stanzas[0].args, stanzas[0].args);
        EXPECT_EQ(header->stanzas[0].body, stanzas[0].body);
        EXPECT_EQ(reader.offset(), text.size());
        const Key32 mac = headerMac(header->macInput, macKey);
        EXPECT_EQ(Bytes(mac.begin(), mac.end()), header->mac);
    }
}

TEST_F(AgeFormat, WrittenHeaderHasOneScryptStanzaAtTheGivenWorkFactor)
{
    const Bytes file = encryptToMemory({}, "pw", 3);
    const std::string header(file.begin(), file.begin() + std::ptrdiff_t(headerSize(file)));
    EXPECT_EQ(header.rfind("age-encryption.org/v1\n-> scrypt ", 0), 0u) << header;
    EXPECT_NE(header.find(" 3\n"), std::string::npos) << header;
    EXPECT_EQ(std::count(header.begin(), header.end(), '>'), 1);
}

TEST_F(AgeFormat, PayloadRoundTripsAtChunkAndBatchBoundaries)
{
    // Several batches per lane, so that every lane's turn comes round more than once.
    const std::size_t manyBatches = (2 * pipelineLanes() + 1) * batchSize;
    for (std::size_t size :
         {std::size_t(0), std::size_t(1), chunkSize - 1, chunkSize, chunkSize + 1, batchSize - 1,
          batchSize, batchSize + 1, 2 * batchSize + chunkSize, manyBatches, manyBatches + 7}) {
        const Bytes plaintext = randomBytes(size);
        const Bytes file = encryptToMemory(plaintext, "pw");
        const std::size_t chunks = std::max<std::size_t>(1, (size + chunkSize - 1) / chunkSize);
        EXPECT_EQ(file.size(), headerSize(file) + payloadNonceSize + size + chunks * tagSize)
            << size;
        Bytes back;
        EXPECT_FALSE(decryptFromMemory(file, "pw", back)) << size;
        EXPECT_EQ(back, plaintext) << size;
    }
}

TEST_F(AgeFormat, ReleasesOnlyChunksThatAuthenticateBeforeAFault)
{
    const std::size_t chunks = 4 * chunksPerBatch + 1;
    const Bytes plaintext = randomBytes(chunks * chunkSize - 100);
    const Bytes file = encryptToMemory(plaintext, "pw");
    const std::size_t payload = headerSize(file) + payloadNonceSize;
    // The first chunk, one inside a later batch, the last of a batch, the first of the next
    // (in another lane) and the short final chunk.
    for (std::size_t damaged : {std::size_t(0), 2 * chunksPerBatch + 1, 2 * chunksPerBatch - 1,
                                2 * chunksPerBatch, chunks - 1}) {
        Bytes copy = file;
        copy[payload + damaged * sealedChunk + 100] ^= 1;
        Bytes back;
        const Failure failure = decryptFromMemory(copy, "pw", back);
        EXPECT_EQ(failure.kind, FailureKind::PayloadDamaged) << damaged;
        EXPECT_EQ(failure.offset, payload + damaged * sealedChunk) << damaged;
        EXPECT_EQ(failure.message(), "file damaged at offset " + std::to_string(failure.offset));
        EXPECT_EQ(back, Bytes(plaintext.begin(), plaintext.begin() + damaged * chunkSize))
            << damaged;
    }
}

TEST_F(AgeFormat, TruncationAndExtraDataAreCaught)
{
    const Bytes plaintext = randomBytes(3 * chunkSize);
    const Bytes file = encryptToMemory(plaintext, "pw");
    const std::size_t payload = headerSize(file) + payloadNonceSize;
    Bytes back;

    // Cut at the end of a full chunk: every chunk opens, but the final one is missing.
    Bytes cut(file.begin(), file.begin() + std::ptrdiff_t(payload + 2 * (chunkSize + tagSize)));
    EXPECT_EQ(decryptFromMemory(cut, "pw", back).kind, FailureKind::PayloadTruncated);
    EXPECT_EQ(back.size(), 2 * chunkSize);

    Bytes shorter(file.begin(), file.end() - 1);
    EXPECT_EQ(decryptFromMemory(shorter, "pw", back).kind, FailureKind::PayloadDamaged);

    Bytes longer = file;
    longer.push_back(0);
    EXPECT_EQ(decryptFromMemory(longer, "pw", back).kind, FailureKind::TrailingData);

    Bytes headerOnly(file.begin(), file.begin() + std::ptrdiff_t(payload));
    EXPECT_EQ(decryptFromMemory(headerOnly, "pw", back).kind, FailureKind::PayloadTruncated);
}

TEST_F(AgeFormat, TruncationAndExtraDataAreCaughtAtBatchBoundaries)
{
    Bytes back;
    // Cut where a batch ends: the batch is full, nothing follows, and its last chunk is not final.
    const Bytes longer = encryptToMemory(randomBytes(2 * batchSize + 10), "pw");
    const std::size_t payload = headerSize(longer) + payloadNonceSize;
    const Bytes cut(longer.begin(),
                    longer.begin() + std::ptrdiff_t(payload + chunksPerBatch * sealedChunk));
    const Failure truncated = decryptFromMemory(cut, "pw", back);
    EXPECT_EQ(truncated.kind, FailureKind::PayloadTruncated);
    EXPECT_EQ(truncated.offset, cut.size());
    EXPECT_EQ(back.size(), batchSize);

    // A final chunk that fills its batch exactly, then one byte more: the byte lands in the
    // next batch, which another lane may finish first; the fault reported is the first one.
    Bytes extended = encryptToMemory(randomBytes(batchSize), "pw");
    extended.push_back(0);
    const Failure trailing = decryptFromMemory(extended, "pw", back);
    EXPECT_EQ(trailing.kind, FailureKind::TrailingData);
    EXPECT_EQ(trailing.offset, extended.size() - 1);
    EXPECT_EQ(back.size(), batchSize);
}

TEST_F(AgeFormat, InputArrivingInUnevenPiecesRoundTrips)
{
    const Bytes plaintext = randomBytes(3 * batchSize + 12345);
    UnevenSource source(plaintext);
    ByteReader reader(source);
    VectorSink sink;
    ASSERT_FALSE(encryptStream(reader, sink, "pw", 2));
    EXPECT_EQ(sink.bytes.size(), encryptToMemory(plaintext, "pw").size());

    UnevenSource encrypted(sink.bytes);
    Bytes back;
    EXPECT_FALSE(decryptFrom(encrypted, "pw", back));
    EXPECT_EQ(back, plaintext);
}

TEST_F(AgeFormat, ReadErrorMidStreamIsReportedAsSuch)
{
    const Bytes plaintext = randomBytes(3 * batchSize);
    const std::size_t failAt = batchSize + chunkSize + 5; // inside the second batch
    UnevenSource source(plaintext, failAt);
    ByteReader reader(source);
    VectorSink sink;
    const Failure encrypting = encryptStream(reader, sink, "pw", 2);
    EXPECT_EQ(encrypting.kind, FailureKind::Io);
    EXPECT_EQ(encrypting.message(), "Input/output error");

    // Decrypting: what authenticated before the error is released, and the error is not
    // mistaken for a damaged or cut file.
    const Bytes file = encryptToMemory(plaintext, "pw");
    const std::size_t payload = headerSize(file) + payloadNonceSize;
    UnevenSource failing(file, payload + failAt);
    Bytes back;
    const Failure decrypting = decryptFrom(failing, "pw", back);
    EXPECT_EQ(decrypting.kind, FailureKind::Io);
    EXPECT_EQ(back.size() % chunkSize, 0u);
    EXPECT_LE(back.size(), failAt);
    EXPECT_EQ(back, Bytes(plaintext.begin(), plaintext.begin() + std::ptrdiff_t(back.size())));
}

TEST_F(AgeFormat, KeyAndHeaderFaultsAreToldApart)
{
    const Bytes file = encryptToMemory(randomBytes(10), "right");
    Bytes back;
    EXPECT_EQ(decryptFromMemory(file, "wrong", back).kind, FailureKind::NoMatch);

    Bytes badMac = file;
    badMac[headerSize(file) - 10] ^= 'A' ^ 'B';
    const FailureKind kind = decryptFromMemory(badMac, "right", back).kind;
    EXPECT_TRUE(kind == FailureKind::HeaderMac || kind == FailureKind::MalformedHeader);

    const std::string notAge = "PK\x03\x04 some archive";
    EXPECT_EQ(decryptFromMemory(Bytes(notAge.begin(), notAge.end()), "right", back).kind,
              FailureKind::NotAgeFile);
    EXPECT_EQ(decryptFromMemory({}, "right", back).kind, FailureKind::NotAgeFile);
}

TEST_F(AgeFormat, WorkFactorAboveTheLimitIsRefusedBeforeDerivingAnything)
{
    // A work factor of 2^40 would need a terabyte; refusing it must be immediate.
    for (const char *factor : {"23", "40", "99999999999999999999"}) {
        const std::string file =
            std::string("age-encryption.org/v1\n-> scrypt AAAAAAAAAAAAAAAAAAAAAA ") + factor +
            "\nAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\n--- "
            "AAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAAA\n";
        Bytes back;
        const Failure failure = decryptFromMemory(Bytes(file.begin(), file.end()), "pw", back);
        EXPECT_EQ(failure.kind, FailureKind::WorkFactorTooLarge) << factor;
        EXPECT_NE(failure.message().find("work factor too large"), std::string::npos);
    }
}

TEST_F(AgeFormat, HugeHeaderIsRefused)
{
    std::string file = "age-encryption.org/v1\n";
    while (file.size() <= maxHeaderSize)
        file += "-> x\n\n";
    Bytes back;
    const Failure failure = decryptFromMemory(Bytes(file.begin(), file.end()), "pw", back);
    EXPECT_EQ(failure.kind, FailureKind::MalformedHeader);
}

TEST_F(AgeFormat, WriteFailureStopsTheRunAndIsReported)
{
    const Bytes plaintext = randomBytes(5 * batchSize);
    MemorySource source(plaintext);
    ByteReader reader(source);
    FailingSink sink(3 * batchSize);
    const Failure failure = encryptStream(reader, sink, "pw", 2);
    EXPECT_EQ(failure.kind, FailureKind::Io);
    EXPECT_EQ(failure.message(), "No space left on device");
}
