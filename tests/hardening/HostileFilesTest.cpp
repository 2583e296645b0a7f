// Random mutations of valid .ECX files (flipped bits, cut, extended, stanzas swapped or
// repeated) are all refused, put nothing under the destination name, and take no more memory
// than the work factor they claim allows, however large the claim.
#include <gtest/gtest.h>

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <sys/resource.h>

#include "globals/engine/EncDec.h"
#include "globals/filerules/KeyString.h"
#include "tests/hardening/HardeningSupport.h"
#include "tests/support/Sanitizers.h"

using namespace hardening;

namespace {

constexpr int mutantsPerKind = 150;
constexpr int fileWorkFactor = 4;
// What a run needs besides the key derivation: buffers for a few batches of chunks. Under the
// address sanitizer freed memory is held back for a while, so the allowance is larger there.
constexpr long allowanceKiB = (underSanitizers ? 768 : 64) * 1024;

// scrypt with r = 8 needs 1 KiB per unit of N.
long derivationKiB(int workFactor) { return 1L << workFactor; }

// The work factor the file's scrypt stanza claims, when it is one the reader accepts.
int claimedWorkFactor(const QByteArray &file)
{
    static const QRegularExpression stanza(R"(-> scrypt \S+ ([1-9][0-9]?)\n)");
    int largest = 0;
    for (const auto &match : stanza.globalMatch(QString::fromLatin1(file.left(4096)))) {
        const int value = match.captured(1).toInt();
        if (value <= 22)
            largest = std::max(largest, value);
    }
    return largest;
}

class HostileFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        engine.setKey(keyStringFor("hunter2"));
        engine.setWorkFactor(fileWorkFactor);
        // Three chunks and a bit, so that cuts and flips land in every part of the payload.
        writeFile(at("plain.bin"), randomBytes(3 * 65536 + 100, 11));
        ASSERT_EQ(engine.EncryptFile(at("plain.bin"), at("a.ECX"), {}), VTrue);
        ASSERT_EQ(engine.EncryptFile(at("plain.bin"), at("b.ECX"), {}), VTrue);
        valid = readFile(at("a.ECX"));
        other = readFile(at("b.ECX"));
    }

    QString at(const QString &name) const { return folder.filePath(name); }

    // Decrypts every mutant in one child: all must fail and leave no file under the
    // destination name. The child's peak memory stays within what the largest accepted claim
    // needs plus the allowance.
    void expectAllRefused(const std::vector<QByteArray> &mutants)
    {
        int largestClaim = 0;
        for (const QByteArray &mutant : mutants)
            largestClaim = std::max(largestClaim, claimedWorkFactor(mutant));
        const long baseline = runInChild([] { return 0; }).peakKiB;
        const ChildRun run = runInChild([&] {
            for (const QByteArray &mutant : mutants) {
                writeFile(at("mutant.ECX"), mutant);
                if (engine.DecryptFile(at("mutant.ECX"), at("mutant"), {}) != VFalse ||
                    QFile::exists(at("mutant")))
                    return 1;
            }
            return 0;
        });
        EXPECT_EQ(run.status, 0)
            << "a mutant was accepted or left a file under the destination name";
        EXPECT_LE(run.peakKiB - baseline, derivationKiB(largestClaim) + allowanceKiB);
        QFile::remove(at("mutant.ECX"));
        EXPECT_EQ(folderEntries(folder.path()), QStringList({"a.ECX", "b.ECX", "plain.bin"}));
    }

    qsizetype headerEnd(const QByteArray &file) const { return file.indexOf("\n---") + 48; }

    QTemporaryDir folder;
    EncDec engine;
    QByteArray valid, other;
    QRandomGenerator random{2024};
};

TEST_F(HostileFiles, FlippedBitsAnywhereAreRefused)
{
    std::vector<QByteArray> mutants;
    for (int i = 0; i < mutantsPerKind; ++i) {
        QByteArray mutant = valid;
        // Half of the flips go into the header, where the parsing is.
        const qsizetype span = i % 2 == 0 ? headerEnd(valid) : valid.size();
        for (int flips = 1 + int(random.bounded(3)); flips > 0; --flips) {
            const qsizetype at = qsizetype(random.bounded(quint32(span)));
            mutant[at] = char(mutant[at] ^ (1 << random.bounded(8)));
        }
        mutants.push_back(mutant);
    }
    expectAllRefused(mutants);
}

TEST_F(HostileFiles, CutAndExtendedFilesAreRefused)
{
    std::vector<QByteArray> mutants;
    for (int i = 0; i < mutantsPerKind; ++i)
        mutants.push_back(valid.left(qsizetype(random.bounded(quint32(valid.size())))));
    // Cuts exactly at chunk boundaries and just after the header.
    for (qsizetype at : {headerEnd(valid), headerEnd(valid) + 16, headerEnd(valid) + 16 + 65552})
        mutants.push_back(valid.left(at));
    for (int i = 0; i < mutantsPerKind; ++i)
        mutants.push_back(valid + randomBytes(1 + random.bounded(70000), quint32(i)));
    mutants.push_back(valid + other); // two files back to back
    expectAllRefused(mutants);
}

TEST_F(HostileFiles, SwappedRepeatedAndForeignStanzasAreRefused)
{
    const qsizetype stanzaStart = valid.indexOf("\n-> ") + 1,
                    stanzaEnd = valid.indexOf("\n---") + 1;
    const QByteArray stanza = valid.mid(stanzaStart, stanzaEnd - stanzaStart);
    const QByteArray otherStanza = other.mid(stanzaStart, other.indexOf("\n---") + 1 - stanzaStart);
    const QByteArray before = valid.left(stanzaStart), after = valid.mid(stanzaEnd);
    const QList<QByteArray> stanzaLines = stanza.split('\n');
    const std::vector<QByteArray> mutants{
        before + otherStanza + after,                       // another file's key for this file
        before + stanza + stanza + after,                   // the same stanza twice
        before + otherStanza + stanza + after,              // a second scrypt stanza in front
        before + stanza + "-> X25519 AAAA\nAAAA\n" + after, // a foreign stanza beside it
        before + stanzaLines[1] + '\n' + stanzaLines[0] + '\n' +
            after,                                                  // body and arguments swapped
        before + after,                                             // no stanza at all
        other.left(headerEnd(other)) + valid.mid(headerEnd(valid)), // another file's header
        valid.left(headerEnd(valid)) + other.mid(headerEnd(other)), // another file's payload
    };
    expectAllRefused(mutants);
}

TEST_F(HostileFiles, WorkFactorClaimsAboveTheLimitAreRefusedBeforeAnyMemoryIsTaken)
{
    const qsizetype argumentsEnd = valid.indexOf('\n', valid.indexOf("-> scrypt"));
    const qsizetype factorStart = valid.lastIndexOf(' ', argumentsEnd) + 1;
    std::vector<QByteArray> mutants;
    for (const char *claim :
         {"23", "24", "30", "40", "64", "99", "4294967296", "99999999999999999999"}) {
        QByteArray mutant = valid;
        mutant.replace(factorStart, argumentsEnd - factorStart, claim);
        mutants.push_back(mutant);
    }
    // 2^23 would need 8 GiB; none of these may take more than the allowance.
    expectAllRefused(mutants);
    writeFile(at("claim.ECX"), mutants.front());
    EXPECT_EQ(engine.DecryptFile(at("claim.ECX"), at("claim"), {}), VFalse);
    EXPECT_TRUE(engine.lastError().contains("limit")) << engine.lastError().toStdString();
}

TEST_F(HostileFiles, AWorkFactorTooLargeForThisMemoryIsRefusedWithBothFigures)
{
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
    GTEST_SKIP() << "the address sanitizer reserves more address space than the limit leaves";
#endif
#endif
    const qsizetype argumentsEnd = valid.indexOf('\n', valid.indexOf("-> scrypt"));
    const qsizetype factorStart = valid.lastIndexOf(' ', argumentsEnd) + 1;
    QByteArray claim = valid;
    writeFile(at("claim.ECX"), claim.replace(factorStart, argumentsEnd - factorStart, "22"));
    const ChildRun run = runInChild([&] {
        // 512 MiB more address space than the process has: 2^22 (4 GiB) plainly cannot fit.
        QFile statm("/proc/self/statm");
        statm.open(QIODevice::ReadOnly);
        const rlim_t limit =
            rlim_t(statm.readAll().split(' ').front().toLong()) * 4096 + (512 << 20);
        const rlimit addressSpace{limit, limit};
        if (::setrlimit(RLIMIT_AS, &addressSpace) != 0)
            return 2;
        const bool refused = engine.VerifyFile(at("claim.ECX")) == false;
        return refused && engine.lastError().contains("work factor 2^22 needs 4096 MiB of memory")
                   ? 0
                   : 1;
    });
    EXPECT_EQ(run.status, 0) << "not refused with the memory it needs and the memory there is";
}

} // namespace
