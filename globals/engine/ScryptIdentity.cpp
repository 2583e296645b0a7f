#include "globals/engine/ScryptIdentity.h"

#include <algorithm>
#include <sodium.h>

#include "globals/engine/CryptoStart.h"
#include "globals/engine/ScryptMemory.h"

namespace age {

namespace {
constexpr std::string_view saltLabel = "age-encryption.org/v1/scrypt";
constexpr std::size_t saltSize = 16;

// Digits only, no leading zero; nullopt otherwise. Values beyond two digits are reported
// as 99 so that they fail the limit check without overflowing.
std::optional<int> parseWorkFactor(const std::string &text)
{
    if (text.empty() || text[0] == '0' ||
        !std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; }))
        return std::nullopt;
    return text.size() > 2 ? 99 : std::stoi(text);
}
} // namespace

ScryptIdentity::ScryptIdentity(std::string passphrase, int maxWorkFactor)
    : m_passphrase(std::move(passphrase)), m_maxWorkFactor(maxWorkFactor)
{
}

ScryptIdentity::~ScryptIdentity() { sodium_memzero(m_passphrase.data(), m_passphrase.size()); }

std::optional<Key32> scryptWrapKey(const std::string &passphrase, const Bytes &salt, int workFactor)
{
    startCrypto(); // so that the fastest scrypt is chosen, whoever calls
    Bytes fullSalt(saltLabel.begin(), saltLabel.end());
    fullSalt.insert(fullSalt.end(), salt.begin(), salt.end());
    Key32 key;
    if (crypto_pwhash_scryptsalsa208sha256_ll(
            reinterpret_cast<const std::uint8_t *>(passphrase.data()), passphrase.size(),
            fullSalt.data(), fullSalt.size(), std::uint64_t(1) << workFactor, 8, 1, key.data(),
            key.size()) != 0)
        return std::nullopt;
    return key;
}

std::optional<FileKey> ScryptIdentity::unwrap(const std::vector<Stanza> &stanzas,
                                              Failure &failure) const
{
    for (const Stanza &stanza : stanzas) {
        if (stanza.args[0] != "scrypt")
            continue;
        if (stanza.args.size() != 3)
            return failure = Failure::header("scrypt stanza needs a salt and a work factor"),
                   std::nullopt;
        const auto salt = base64Decode(stanza.args[1]);
        if (!salt || salt->size() != saltSize)
            return failure = Failure::header("bad scrypt salt"), std::nullopt;
        const auto workFactor = parseWorkFactor(stanza.args[2]);
        if (!workFactor)
            return failure = Failure::header("bad scrypt work factor"), std::nullopt;
        if (*workFactor > m_maxWorkFactor)
            return failure = {FailureKind::WorkFactorTooLarge,
                              "2^" + stanza.args[2] + " is above the limit of 2^" +
                                  std::to_string(m_maxWorkFactor),
                              0},
                   std::nullopt;
        if (stanza.body.size() != FileKey::size() + crypto_aead_chacha20poly1305_IETF_ABYTES)
            return failure = Failure::header("bad scrypt stanza body length"), std::nullopt;
        if (Failure f = scryptMemoryCheck(*workFactor))
            return failure = f, std::nullopt;
        const auto wrapKey = scryptWrapKey(m_passphrase, *salt, *workFactor);
        if (!wrapKey)
            return failure = Failure::io("not enough memory for the key derivation"), std::nullopt;
        if (auto key = openFileKey(*wrapKey, stanza.body))
            return key;
    }
    return std::nullopt;
}

Stanza scryptStanza(const FileKey &fileKey, const std::string &passphrase, int workFactor)
{
    Bytes salt(saltSize);
    randombytes_buf(salt.data(), salt.size());
    const auto wrapKey = scryptWrapKey(passphrase, salt, workFactor);
    if (!wrapKey)
        return {};
    return Stanza{{"scrypt", base64Encode(salt), std::to_string(workFactor)},
                  sealFileKey(*wrapKey, fileKey)};
}

} // namespace age
