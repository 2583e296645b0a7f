#include "cli/EcxCommand.h"

#include <QFile>
#include <cstdio>
#include <unistd.h>

#include "cli/KeyInput.h"
#include "cli/ProgressBar.h"
#include "globals/engine/EncDec.h"
#include "globals/filerules/KeyString.h"
#include "globals/filerules/OutputNames.h"

namespace {

int fail(const QString &message)
{
    std::fprintf(stderr, "ecx: %s\n", message.toLocal8Bit().constData());
    return ExitFailure;
}

KeyResult typedKey(const CliCommand &command)
{
    if (command.keyStdin)
        return readKeyStdin();
    if (!command.keyFile.isEmpty())
        return readKeyFile(command.keyFile);
    return askKeyOnTerminal(command.action == CliCommand::Action::Encrypt);
}

std::optional<QString> outputFor(const CliCommand &command)
{
    if (!command.output.isEmpty())
        return command.output;
    if (command.action == CliCommand::Action::Encrypt)
        return encryptedNameFor(command.input);
    return decryptedNameFor(command.input);
}

bool removeInput(const QString &path, QString &error)
{
    QFile input(path);
    if (input.remove())
        return true;
    error = QStringLiteral("could not delete %1: %2").arg(path, input.errorString());
    return false;
}

} // namespace

int runCommand(const CliCommand &command)
{
    const bool encrypt = command.action == CliCommand::Action::Encrypt;
    const auto output = outputFor(command);
    if (!output)
        return fail(
            QStringLiteral("file name too short to drop four characters: %1").arg(command.input));
    const KeyResult key = typedKey(command);
    if (!key.key)
        return fail(key.error);

    EncDec engine;
    engine.setKey(keyStringFor(*key.key));
    engine.setWorkFactor(command.workFactor);
    bool ok = false;
    {
        ProgressBar bar(encrypt ? QStringLiteral("encrypting") : QStringLiteral("decrypting"),
                        !command.quiet && ::isatty(STDERR_FILENO));
        const auto show = [&bar](qint16 &percent) { bar.show(percent); };
        QObject::connect(&engine, &EncDec::FileEncryptionProgress, show);
        QObject::connect(&engine, &EncDec::FileDecryptionProgress, show);
        ok = isTrue(encrypt ? engine.EncryptFile(command.input, *output, QString())
                            : engine.DecryptFile(command.input, *output, QString()));
    }
    if (!ok)
        return fail(engine.lastError());
    if (!command.deleteInput)
        return ExitSuccess;

    // A plaintext goes only once its encrypted copy is proven to open with the key.
    if (encrypt && !engine.VerifyFile(*output))
        return fail(QStringLiteral("%1 did not verify (%2); %3 kept")
                        .arg(*output, engine.lastError(), command.input));
    QString error;
    if (!removeInput(command.input, error))
        return fail(error);
    return ExitSuccess;
}
