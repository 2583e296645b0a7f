#include "globals/engine/EncDec.h"

#include <QFile>
#include <sodium.h>
#include <stdexcept>

#include "globals/engine/AgeFile.h"
#include "globals/engine/AtomicFile.h"
#include "globals/engine/InputFile.h"
#include "globals/engine/PercentProgress.h"
#include "globals/engine/ScryptIdentity.h"

namespace {
constexpr int defaultWorkFactor = 18;

std::string localPath(const QString &path) { return QFile::encodeName(path).toStdString(); }
} // namespace

struct EncDec::State {
    std::string key; // the key string as UTF-8
    int workFactor = defaultWorkFactor;
    QString lastError;

    ~State() { sodium_memzero(key.data(), key.size()); }
};

EncDec::EncDec(QObject *parent) : QObject(parent), d(new State)
{
    // A failure here propagates, so that the program's start-up can report it and end.
    if (sodium_init() < 0) {
        delete d;
        throw std::runtime_error("the cryptography library could not start");
    }
}

EncDec::~EncDec() { delete d; }

void EncDec::setKey(const QString &Key)
{
    sodium_memzero(d->key.data(), d->key.size());
    d->key = Key.toStdString();
}

int EncDec::workFactor() const { return d->workFactor; }

void EncDec::setWorkFactor(int logN)
{
    // Outside this range a file would be unreadable here or trivially weak.
    if (logN >= 1 && logN <= age::maxReadWorkFactor)
        d->workFactor = logN;
}

QString EncDec::lastError() const { return d->lastError; }

VBool EncDec::EncryptFile(const QString &Source, const QString &Destination, const QString &)
{
    return toVBool(transform(true, Source, Destination));
}

VBool EncDec::DecryptFile(const QString &Source, const QString &Destination, const QString &)
{
    return toVBool(transform(false, Source, Destination));
}

bool EncDec::transform(bool encrypt, const QString &source, const QString &destination)
{
    const std::string sourcePath = localPath(source), destinationPath = localPath(destination);
    age::InputFile input;
    age::AtomicFile output;
    age::Failure failure = checkKey();
    if (!failure)
        failure = input.open(sourcePath);
    if (!failure && input.isSameFileAs(destinationPath))
        failure = age::Failure::io("source and destination are the same file");
    if (!failure)
        failure = output.create(destinationPath);
    if (!failure) {
        PercentProgress percent(input.size(), [&](std::int16_t value) {
            qint16 progress = value;
            if (encrypt)
                emit FileEncryptionProgress(progress);
            else
                emit FileDecryptionProgress(progress);
        });
        const age::StreamEvents events{[&] { percent.report(0); },
                                       [&](std::uint64_t n) { percent.report(n); }};
        age::FdSource from(input.fd(), sourcePath);
        age::ByteReader reader(from);
        age::FdSink to(output.fd(), destinationPath);
        const age::ScryptIdentity identity(d->key);
        failure = encrypt ? age::encryptStream(reader, to, d->key, d->workFactor, events)
                          : age::decryptStream(reader, {&identity}, to, events);
        if (!failure)
            failure = output.commit();
        if (!failure)
            percent.finish();
    }
    return finish(failure);
}

bool EncDec::VerifyFile(const QString &Source)
{
    const std::string sourcePath = localPath(Source);
    age::InputFile input;
    age::Failure failure = checkKey();
    if (!failure)
        failure = input.open(sourcePath);
    if (!failure) {
        age::FdSource from(input.fd(), sourcePath);
        age::ByteReader reader(from);
        age::NullSink nowhere;
        const age::ScryptIdentity identity(d->key);
        failure = age::decryptStream(reader, {&identity}, nowhere);
    }
    return finish(failure);
}

age::Failure EncDec::checkKey() const
{
    return d->key.empty() ? age::Failure::io("no key set") : age::Failure{};
}

bool EncDec::finish(const age::Failure &failure)
{
    d->lastError = QString::fromStdString(failure.message());
    return !failure;
}
