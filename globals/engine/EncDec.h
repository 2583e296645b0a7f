#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <QObject>
#include <QString>
#include <memory>

#include "platform/core/VBool.h"

namespace age {
class FileEngine;
struct Failure;
struct RunRecord;
} // namespace age

// The file encryption engine. An .ECX file is an age v1 file with one scrypt stanza whose
// passphrase is the key string in UTF-8.
//
// Contract: set the key, then call EncryptFile or DecryptFile; each returns VTrue (-1) on
// success and VFalse (0) on failure. During a call the progress signals are emitted on the
// caller's thread, inside the call, with whole percentages 0..100 that never decrease.
// The third string argument is accepted and ignored.
class VANTRELGLOBALS_EXPORT EncDec : public QObject {
    Q_OBJECT
    Q_PROPERTY(int WorkFactor READ workFactor WRITE setWorkFactor)
    Q_PROPERTY(bool ReplaceExisting READ replaceExisting WRITE setReplaceExisting)

public:
    // Throws std::runtime_error when the cryptography library cannot start.
    explicit EncDec(QObject *parent = nullptr);
    ~EncDec() override;

    // The `Key` member: the key string in force for the next operation.
    void setKey(const QString &Key);

    VBool EncryptFile(const QString &Source, const QString &Destination, const QString &Third);
    VBool DecryptFile(const QString &Source, const QString &Destination, const QString &Third);

    // Decrypts Source completely under the current key without writing anything: true when
    // every chunk authenticates. FileVerificationProgress follows the work.
    bool VerifyFile(const QString &Source);
    // The same for the output of the last successful run, which must still be the very file
    // that run wrote. Used before a plaintext is deleted.
    bool VerifyLastOutput();
    // What the last successful EncryptFile or DecryptFile read and wrote.
    const age::RunRecord &lastRun() const;

    // Whether an existing destination file may be replaced (true unless changed). A
    // destination that is not a regular file is never replaced.
    bool replaceExisting() const;
    void setReplaceExisting(bool replace);

    // log2 of the scrypt work factor used when writing (18 unless changed).
    int workFactor() const;
    void setWorkFactor(int logN);

    // A one-line reason for the last failure, empty after a success.
    QString lastError() const;

signals:
    void FileEncryptionProgress(qint16 &Progress);
    void FileDecryptionProgress(qint16 &Progress);
    void FileVerificationProgress(qint16 &Progress);

private:
    bool finish(const age::Failure &failure);

    std::unique_ptr<age::FileEngine> m_engine;
    QString m_lastError;
};
