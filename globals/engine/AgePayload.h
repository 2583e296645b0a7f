#pragma once
#include <functional>

#include "globals/engine/AgeIdentity.h"
#include "globals/engine/ByteStream.h"

namespace age {

inline constexpr std::size_t chunkSize = 64 * 1024;
inline constexpr std::size_t tagSize = 16;
inline constexpr std::size_t payloadNonceSize = 16;
// Chunks that travel together through the pipeline: enough that handing a batch from one lane
// to the next costs little beside the work on it (1 MiB), few enough that a lane's buffer stays
// near the processor's cache.
inline constexpr std::size_t chunksPerBatch = 16;

// Told how far the input has been processed (bytes read from it); runs on the calling thread.
using ProgressFunction = std::function<void(std::uint64_t processed)>;

Key32 payloadKey(const FileKey &fileKey, const std::uint8_t *nonce);

// Seals everything `plaintext` yields as STREAM chunks and writes them to `sink` (the
// payload after its nonce).
Failure encryptPayload(ByteReader &plaintext, ByteSink &sink, const Key32 &key,
                       const ProgressFunction &progress);

// Opens the STREAM chunks that follow the nonce in `ciphertext`, writing each chunk's
// plaintext to `sink` once it authenticates. Stops at the first damaged chunk, at a missing
// final chunk and at data after the final chunk; what was written before stays written.
Failure decryptPayload(ByteReader &ciphertext, ByteSink &sink, const Key32 &key,
                       const ProgressFunction &progress);

} // namespace age
