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

ScryptIdentity::ScryptIdentity(std::string passphrase, int maxWorkFactor, ScryptKeys *keys)
    : m_passphrase(std::move(passphrase)), m_maxWorkFactor(maxWorkFactor), m_keys(keys)
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
        const auto wrapKey = m_keys ? m_keys->keyForSalt(*salt, *workFactor)
                                    : scryptWrapKey(m_passphrase, *salt, *workFactor);
        if (!wrapKey)
            return failure = Failure::io("not enough memory for the key derivation"), std::nullopt;
        if (auto key = openFileKey(*wrapKey, stanza.body))
            return key;
    }
    return std::nullopt;
}

Bytes freshScryptSalt()
{
    Bytes salt(saltSize);
    randombytes_buf(salt.data(), salt.size());
    return salt;
}

Stanza scryptStanza(const FileKey &fileKey, const std::string &passphrase, int workFactor)
{
    const Bytes salt = freshScryptSalt();
    auto wrapKey = scryptWrapKey(passphrase, salt, workFactor);
    if (!wrapKey)
        return {};
    return scryptStanza(fileKey, SaltedWrapKey{salt, std::move(*wrapKey)}, workFactor);
}

Stanza scryptStanza(const FileKey &fileKey, const SaltedWrapKey &key, int workFactor)
{
    return Stanza{{"scrypt", base64Encode(key.salt), std::to_string(workFactor)},
                  sealFileKey(key.wrapKey, fileKey)};
}

std::optional<ScryptParameters> scryptParametersOf(const Stanza &stanza)
{
    if (stanza.args.size() != 3 || stanza.args[0] != "scrypt")
        return std::nullopt;
    auto salt = base64Decode(stanza.args[1]);
    const auto workFactor = parseWorkFactor(stanza.args[2]);
    if (!salt || salt->size() != saltSize || !workFactor)
        return std::nullopt;
    return ScryptParameters{std::move(*salt), *workFactor};
}

} // namespace age
