#include "globals/engine/EncDec.h"

#include <QFile>

#include "globals/engine/FileEngine.h"

namespace {
age::FileEnd localFile(const QString &path)
{
    return age::FileEnd::file(QFile::encodeName(path).toStdString());
}

// Emits `signal` of `engine` with each percentage, as the contract's by-reference argument.
template <typename Signal>
age::FileEngine::Progress emitting(EncDec *engine, Signal signal)
{
    return [engine, signal](std::int16_t value) {
        qint16 progress = value;
        emit(engine->*signal)(progress);
    };
}
} // namespace

// A failure to start the cryptography library propagates from the engine's constructor, so
// that the program's start-up can report it and end.
EncDec::EncDec(QObject *parent) : QObject(parent), m_engine(std::make_unique<age::FileEngine>())
{
    // The window reads files only: a FIFO under a file's name must not hold it up.
    m_engine->setRegularSourcesOnly(true);
}

EncDec::~EncDec() = default;

void EncDec::setKey(const QString &Key) { m_engine->setKey(Key.toStdString()); }

int EncDec::workFactor() const { return m_engine->workFactor(); }

void EncDec::setWorkFactor(int logN) { m_engine->setWorkFactor(logN); }

bool EncDec::replaceExisting() const { return m_engine->replaceExisting(); }

void EncDec::setReplaceExisting(bool replace) { m_engine->setReplaceExisting(replace); }

QString EncDec::lastError() const { return m_lastError; }

const age::RunRecord &EncDec::lastRun() const { return m_engine->lastRun(); }

VBool EncDec::EncryptFile(const QString &Source, const QString &Destination, const QString &)
{
    return toVBool(finish(m_engine->encrypt(localFile(Source), localFile(Destination),
                                            emitting(this, &EncDec::FileEncryptionProgress))));
}

VBool EncDec::DecryptFile(const QString &Source, const QString &Destination, const QString &)
{
    return toVBool(finish(m_engine->decrypt(localFile(Source), localFile(Destination),
                                            emitting(this, &EncDec::FileDecryptionProgress))));
}

bool EncDec::VerifyFile(const QString &Source)
{
    return finish(
        m_engine->verify(localFile(Source), emitting(this, &EncDec::FileVerificationProgress)));
}

bool EncDec::VerifyLastOutput()
{
    const age::RunRecord &run = m_engine->lastRun();
    if (!run.outputIdentity.known())
        return finish(age::Failure::io("no output to verify"));
    return finish(m_engine->verify(run.output, emitting(this, &EncDec::FileVerificationProgress),
                                   run.outputIdentity));
}

bool EncDec::finish(const age::Failure &failure)
{
    m_lastError = QString::fromStdString(failure.message());
    return !failure;
}
