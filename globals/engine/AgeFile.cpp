#include "globals/engine/AgeFile.h"

#include <algorithm>
#include <sodium.h>

#include "globals/engine/Armor.h"
#include "globals/engine/ScryptIdentity.h"
#include "globals/engine/ScryptMemory.h"

namespace age {

namespace {
void notify(const std::function<void()> &f)
{
    if (f)
        f();
}

ProgressFunction progressOf(const StreamEvents &events)
{
    return events.progress ? events.progress : [](std::uint64_t) {};
}
} // namespace

Failure encryptStream(ByteReader &plaintext, ByteSink &sink, const std::string &passphrase,
                      int workFactor, const StreamEvents &events, ScryptKeys *keys)
{
    if (Failure f = scryptMemoryCheck(workFactor))
        return f;
    const FileKey fileKey = randomFileKey();
    std::optional<SaltedWrapKey> given = keys ? keys->freshKey(workFactor) : std::nullopt;
    Stanza stanza = !keys   ? scryptStanza(fileKey, passphrase, workFactor)
                    : given ? scryptStanza(fileKey, *given, workFactor)
                            : Stanza{};
    if (stanza.args.empty())
        return Failure::io("not enough memory for the key derivation");
    const std::string header = encodeHeader({stanza}, headerMacKey(fileKey.data(), fileKey.size()));
    std::uint8_t nonce[payloadNonceSize];
    randombytes_buf(nonce, sizeof nonce);
    if (Failure f =
            sink.write(reinterpret_cast<const std::uint8_t *>(header.data()), header.size()))
        return f;
    if (Failure f = sink.write(nonce, sizeof nonce))
        return f;
    notify(events.payloadStarts);
    return encryptPayload(plaintext, sink, payloadKey(fileKey, nonce), progressOf(events));
}

std::optional<FileKey> unlockHeader(const Header &header,
                                    const std::vector<const Identity *> &identities,
                                    Failure &failure)
{
    // A passphrase file is only trusted when nobody else could have written a second stanza.
    const bool hasScrypt = std::any_of(header.stanzas.begin(), header.stanzas.end(),
                                       [](const Stanza &s) { return s.args[0] == "scrypt"; });
    if (hasScrypt && header.stanzas.size() > 1)
        return failure = Failure::header("an scrypt stanza must be the only one"), std::nullopt;

    for (const Identity *identity : identities) {
        auto key = identity->unwrap(header.stanzas, failure);
        if (failure)
            return std::nullopt;
        if (!key)
            continue;
        const Key32 mac = headerMac(header.macInput, headerMacKey(key->data(), key->size()));
        if (header.mac.size() != mac.size() ||
            sodium_memcmp(mac.data(), header.mac.data(), mac.size()) != 0)
            return failure = {FailureKind::HeaderMac, {}, 0}, std::nullopt;
        return key;
    }
    return failure = {FailureKind::NoMatch, {}, 0}, std::nullopt;
}

Failure decryptStream(ByteReader &input, const std::vector<const Identity *> &identities,
                      ByteSink &sink, const StreamEvents &events)
{
    Failure failure;
    const auto header = parseHeader(input, failure);
    if (!header)
        return failure;
    const auto fileKey = unlockHeader(*header, identities, failure);
    if (!fileKey)
        return failure;
    std::uint8_t nonce[payloadNonceSize];
    if (input.readFully(nonce, sizeof nonce, failure) != sizeof nonce)
        return failure ? failure : Failure::header("payload nonce missing");
    notify(events.payloadStarts);
    return decryptPayload(input, sink, payloadKey(*fileKey, nonce), progressOf(events));
}

Failure decryptBytes(std::span<const std::uint8_t> file,
                     const std::vector<const Identity *> &identities, Bytes &plaintext)
{
    MemorySource source(file);
    AnyAgeSource any(source);
    ByteReader reader(any);
    VectorSink sink;
    Failure failure = decryptStream(reader, identities, sink);
    plaintext = std::move(sink.bytes);
    return failure;
}

} // namespace age
