// Feeds arbitrary bytes to the .ECX reader, once under the keys the seed files were written
// for (the passphrase "password", and the X25519 identity of the official test files, which
// opens their payload cases) and once under a wrong passphrase alone, and checks what the
// reader may release.
#include <cstdlib>
#include <sodium.h>

#include "globals/engine/AgeFile.h"
#include "globals/engine/ScryptIdentity.h"
#include "tests/support/age/X25519Identity.h"

namespace {

// Derivations above this are refused before any memory is set aside, exactly as those above
// the program's own limit are; the lower cap keeps each run short.
constexpr int fuzzWorkFactorCap = 12;

constexpr const char *seedIdentity =
    "AGE-SECRET-KEY-1EGTZVFFV20835NWYV6270LXYVK2VKNX2MMDKWYKLMGR48UAWX40Q2P2LM0";

void require(bool condition)
{
    if (!condition)
        std::abort();
}

bool isPayloadFault(age::FailureKind kind)
{
    return kind == age::FailureKind::PayloadDamaged || kind == age::FailureKind::PayloadTruncated;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***) { return sodium_init() < 0 ? 1 : 0; }

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const std::span<const std::uint8_t> file(data, size);
    static const age::X25519Identity recipientKey = *age::X25519Identity::fromBech32(seedIdentity);
    const age::ScryptIdentity rightKey("password", fuzzWorkFactorCap);
    const age::ScryptIdentity wrongKey("not the password", fuzzWorkFactorCap);

    age::Bytes plaintext;
    const age::Failure failure = age::decryptBytes(file, {&rightKey, &recipientKey}, plaintext);
    require(!failure.message().empty() || !failure);
    // Before the payload begins nothing is released; a damaged or cut payload releases only
    // the whole chunks that authenticated before the fault.
    if (failure.kind != age::FailureKind::None && failure.kind != age::FailureKind::TrailingData &&
        !isPayloadFault(failure.kind))
        require(plaintext.empty());
    if (isPayloadFault(failure.kind))
        require(plaintext.size() % age::chunkSize == 0);

    age::Bytes wrongPlaintext;
    const age::Failure wrong = age::decryptBytes(file, {&wrongKey}, wrongPlaintext);
    require(wrong && wrongPlaintext.empty());
    return 0;
}
