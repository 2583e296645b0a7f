#include "cli/CliOptions.h"

namespace {
const QStringList writing{QStringLiteral("encrypt"), QStringLiteral("decrypt")};
const QStringList encrypting{QStringLiteral("encrypt")};
const QStringList decrypting{QStringLiteral("decrypt")};
constexpr int helpColumn = 24;
} // namespace

const QStringList &ecxCommands()
{
    static const QStringList commands{"encrypt", "decrypt", "verify"};
    return commands;
}

const QList<OptionSpec> &ecxOptions()
{
    static const QList<OptionSpec> options{
        {"-o", "--output", "PATH",
         "write to PATH instead (one FILE, one archive, or the\nfolder an archive gives back); "
         "- is standard output",
         writing},
        {"-f", "--force", "", "replace an existing output without asking", writing},
        {"-a", "--armor", "", "write the encrypted file as text", encrypting},
        {"-r",
         "--recursive",
         "",
         "handle every file in the folders given, each on its own\n(decrypt and verify take "
         "the files ending in .ECX)",
         {}},
        {"", "--archive", "", "write the FILEs and folders as one archive, NAME.tar.ECX",
         encrypting},
        {"", "--extract", "",
         "give an archive's folder back beside it (NAME.tar.ECX\nbecomes the folder NAME)",
         decrypting},
        {"", "--delete", "",
         "remove FILE after success, only if it is still the file\nthat was read; an encrypted "
         "copy is read back and\nchecked completely first",
         writing},
        {"", "--key-file", "PATH", "read the key from PATH (one trailing newline is dropped)", {}},
        {"", "--key-stdin", "", "read the key from standard input (the same)", {}},
        {"", "--work-factor", "N", "scrypt work factor 2^N when encrypting (10-22, default 18)",
         encrypting},
        {"-q", "--quiet", "", "no progress bar, no report of each file and no summary", {}},
        {"-h", "--help", "", "show this help", {}},
        {"", "--version", "", "show the version", {}},
    };
    return options;
}

QString optionsHelp()
{
    QString text;
    for (const OptionSpec &option : ecxOptions()) {
        QString names = option.shortName.isEmpty() ? QStringLiteral("    ")
                                                   : option.shortName + QStringLiteral(", ");
        names += option.longName;
        if (!option.value.isEmpty())
            names += ' ' + option.value;
        QStringList lines = option.help.split('\n');
        text += QStringLiteral("  %1 %2\n").arg(names, -(helpColumn - 3)).arg(lines.takeFirst());
        for (const QString &line : lines)
            text += QString(helpColumn, ' ') + line + '\n';
    }
    return text;
}
