// Runs the official age test files (fetched by scripts/fetch-vectors) through the reader.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QFile>
#include <QRegularExpression>
#include <memory>
#include <sodium.h>
#include <zlib.h>

#include "globals/engine/AgeFile.h"
#include "globals/engine/ScryptIdentity.h"
#include "tests/TestPaths.h"
#include "tests/support/age/X25519Identity.h"

namespace {

struct Vector {
    QString name;
    QMultiMap<QString, QString> fields;
    QByteArray file;
};

QList<Vector> loadVectors()
{
    QFile module(EC_VECTORS_FILE);
    if (!module.open(QIODevice::ReadOnly))
        return {};
    const QString text = QString::fromUtf8(module.readAll());
    static const QRegularExpression entry(
        R"re(// \.\./testdata/(\S+)\nvar \w+ = __toBinary\("([A-Za-z0-9+/=]*)"\);)re");
    QList<Vector> vectors;
    for (const auto &match : entry.globalMatch(text)) {
        const QByteArray raw = QByteArray::fromBase64(match.captured(2).toLatin1());
        const qsizetype split = raw.indexOf("\n\n");
        Vector v{match.captured(1), {}, raw.mid(split + 2)};
        for (const QByteArray &line : raw.left(split).split('\n')) {
            const qsizetype colon = line.indexOf(": ");
            v.fields.insert(QString::fromUtf8(line.left(colon)),
                            QString::fromUtf8(line.mid(colon + 2)));
        }
        vectors << v;
    }
    return vectors;
}

QByteArray inflate(const QByteArray &compressed)
{
    z_stream stream{};
    inflateInit(&stream);
    stream.next_in = reinterpret_cast<Bytef *>(const_cast<char *>(compressed.data()));
    stream.avail_in = uInt(compressed.size());
    QByteArray out;
    char buffer[65536];
    int status = Z_OK;
    while (status == Z_OK) {
        stream.next_out = reinterpret_cast<Bytef *>(buffer);
        stream.avail_out = sizeof buffer;
        status = ::inflate(&stream, Z_NO_FLUSH);
        out.append(buffer, qsizetype(sizeof buffer - stream.avail_out));
    }
    inflateEnd(&stream);
    return status == Z_STREAM_END ? out : QByteArray();
}

QString sha256Hex(const age::Bytes &bytes)
{
    unsigned char hash[crypto_hash_sha256_BYTES];
    crypto_hash_sha256(hash, bytes.data(), bytes.size());
    return QString::fromLatin1(QByteArray(reinterpret_cast<char *>(hash), sizeof hash).toHex());
}

QString outcomeOf(age::FailureKind kind)
{
    using K = age::FailureKind;
    switch (kind) {
    case K::None:
        return "success";
    case K::NoMatch:
        return "no match";
    case K::HeaderMac:
        return "HMAC failure";
    case K::PayloadDamaged:
    case K::PayloadTruncated:
    case K::TrailingData:
        return "payload failure";
    case K::Io:
        return "i/o";
    default:
        return "header failure";
    }
}

// Hybrid (ML-KEM) stanzas need a KEM the cryptography library does not provide.
bool supported(const Vector &v)
{
    for (const QString &identity : v.fields.values("identity"))
        if (identity.startsWith("AGE-SECRET-KEY-PQ-"))
            return false;
    return true;
}

} // namespace

TEST(AgeVectors, EverySupportedVectorGivesItsExpectedOutcomeAndPlaintext)
{
    ASSERT_GE(sodium_init(), 0);
    const QList<Vector> vectors = loadVectors();
    ASSERT_FALSE(vectors.isEmpty()) << "test vectors missing: run scripts/fetch-vectors";
    int run = 0;
    for (const Vector &v : vectors) {
        if (!supported(v))
            continue;
        SCOPED_TRACE(v.name.toStdString());
        ++run;
        std::vector<std::unique_ptr<age::Identity>> owned;
        for (const QString &text : v.fields.values("identity")) {
            auto identity = age::X25519Identity::fromBech32(text.toStdString());
            ASSERT_TRUE(identity.has_value());
            owned.push_back(std::make_unique<age::X25519Identity>(std::move(*identity)));
        }
        for (const QString &passphrase : v.fields.values("passphrase"))
            owned.push_back(std::make_unique<age::ScryptIdentity>(passphrase.toStdString()));
        std::vector<const age::Identity *> identities;
        for (const auto &identity : owned)
            identities.push_back(identity.get());

        const QByteArray file = v.fields.value("compressed") == "zlib" ? inflate(v.file) : v.file;
        age::Bytes plaintext;
        const age::Failure failure = age::decryptBytes(
            {reinterpret_cast<const std::uint8_t *>(file.data()), std::size_t(file.size())},
            identities, plaintext);

        const QString expected = v.fields.value("expect");
        // A file that does not begin with the armor's begin line is not armored for this
        // reader: it is refused as no .ECX file at all.
        const bool armorFault =
            failure.detail.rfind("armor: ", 0) == 0 ||
            (expected == "armor failure" && failure.kind == age::FailureKind::NotAgeFile);
        EXPECT_EQ(armorFault ? "armor failure" : outcomeOf(failure.kind).toStdString(),
                  expected.toStdString())
            << failure.message();
        if (expected == "success" || expected == "payload failure")
            EXPECT_EQ(sha256Hex(plaintext).toStdString(), v.fields.value("payload").toStdString());
        else
            EXPECT_TRUE(plaintext.empty());
    }
    // 143 vectors: the 19 hybrid ones (one of them armored) are skipped.
    EXPECT_EQ(run, 124);
}
