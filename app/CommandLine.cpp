#include "app/CommandLine.h"

#include <QCommandLineParser>
#include <cstdio>
#include <cstdlib>

CommandLine readCommandLine(const QStringList &arguments)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Encrypts and decrypts files and folders with a key."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption encrypt(QStringLiteral("encrypt"),
                                     QStringLiteral("Put the paths into the encrypt frame."));
    const QCommandLineOption decrypt(QStringLiteral("decrypt"),
                                     QStringLiteral("Put the paths into the decrypt frame."));
    parser.addOptions({encrypt, decrypt});
    parser.addPositionalArgument(QStringLiteral("paths"),
                                 QStringLiteral("Files and folders to encrypt or decrypt."),
                                 QStringLiteral("[PATH...]"));
    parser.process(arguments);
    if (parser.isSet(encrypt) && parser.isSet(decrypt)) {
        std::fputs("EmberCoffer: choose --encrypt or --decrypt, not both.\n", stderr);
        std::exit(1);
    }
    CommandLine line;
    if (parser.isSet(encrypt))
        line.frame = FileArgument::Frame::Encrypt;
    else if (parser.isSet(decrypt))
        line.frame = FileArgument::Frame::Decrypt;
    line.paths = parser.positionalArguments();
    return line;
}

bool asksForTerminalAnswer(const QStringList &arguments)
{
    static const QStringList terminalOptions{"-h", "--help", "-?", "--help-all", "-v", "--version"};
    for (const QString &argument : arguments.mid(1)) {
        if (argument == QLatin1String("--"))
            return false;
        if (terminalOptions.contains(argument))
            return true;
    }
    return false;
}
