#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <span>

#include "globals/engine/AgePayload.h"
#include "globals/engine/ScryptKeys.h"

namespace age {

// What a caller hears while a file is processed, on the calling thread: once when the
// key is known and the payload begins, then how far the input has been read.
struct VANTRELGLOBALS_EXPORT StreamEvents {
    std::function<void()> payloadStarts;
    ProgressFunction progress;
};

// Writes a complete age file to `sink`: the header with one scrypt stanza for
// `passphrase` at `workFactor` (log2 N), the payload nonce and the sealed payload. With `keys`
// given, the wrap key comes from there instead of being derived on the spot.
VANTRELGLOBALS_EXPORT Failure encryptStream(ByteReader &plaintext, ByteSink &sink,
                                            const std::string &passphrase, int workFactor,
                                            const StreamEvents &events = {},
                                            ScryptKeys *keys = nullptr);

// Reads a complete age file from `input`: parses and checks the header, opens the file
// key with the first identity that can, checks the header MAC and decrypts the payload
// to `sink`, chunk by chunk as each authenticates. Returns the first fault found.
VANTRELGLOBALS_EXPORT Failure decryptStream(ByteReader &input,
                                            const std::vector<const Identity *> &identities,
                                            ByteSink &sink, const StreamEvents &events = {});

// The same for a file held in memory, binary or armored: the entry point for fuzzing and for
// test files.
// `plaintext` receives what authenticated before any fault.
VANTRELGLOBALS_EXPORT Failure decryptBytes(std::span<const std::uint8_t> file,
                                           const std::vector<const Identity *> &identities,
                                           Bytes &plaintext);

// The file key from a parsed header, or the reason there is none.
VANTRELGLOBALS_EXPORT std::optional<FileKey>
unlockHeader(const Header &header, const std::vector<const Identity *> &identities,
             Failure &failure);

} // namespace age
