#include "CliArguments.h"

namespace {

class Parser {
public:
    explicit Parser(const QStringList &arguments) : args_(arguments) {}

    CliParseResult parse()
    {
        QStringList positional;
        bool optionsEnded = false;
        for (index_ = 0; index_ < args_.size(); ++index_) {
            const QString arg = args_[index_];
            if (optionsEnded || !arg.startsWith('-') || arg == QLatin1String("-")) {
                positional << arg;
            } else if (arg == QLatin1String("--")) {
                optionsEnded = true;
            } else if (!option(arg)) {
                return failure();
            }
        }
        if (wantsHelp_ || wantsVersion_) {
            command_.action = wantsHelp_ ? CliCommand::Action::Help : CliCommand::Action::Version;
            return {command_, {}};
        }
        if (!takeAction(positional))
            return failure();
        return {command_, {}};
    }

private:
    bool option(const QString &arg)
    {
        const qsizetype equals = arg.indexOf('=');
        const QString name = arg.startsWith(QLatin1String("--")) && equals > 0 ? arg.left(equals) : arg;
        const std::optional<QString> inlineValue =
            name.size() < arg.size() ? std::optional<QString>(arg.mid(equals + 1)) : std::nullopt;
        if (name == QLatin1String("-h") || name == QLatin1String("--help"))
            return noValue(inlineValue, name) && (wantsHelp_ = true);
        if (name == QLatin1String("--version"))
            return noValue(inlineValue, name) && (wantsVersion_ = true);
        if (name == QLatin1String("--delete"))
            return noValue(inlineValue, name) && (command_.deleteInput = true);
        if (name == QLatin1String("-q") || name == QLatin1String("--quiet"))
            return noValue(inlineValue, name) && (command_.quiet = true);
        if (name == QLatin1String("--key-stdin"))
            return noValue(inlineValue, name) && (command_.keyStdin = true);
        if (name == QLatin1String("-o") || name == QLatin1String("--output"))
            return value(inlineValue, name, command_.output);
        if (name == QLatin1String("--key-file"))
            return value(inlineValue, name, command_.keyFile);
        if (name == QLatin1String("--work-factor"))
            return workFactor(inlineValue, name);
        error_ = QStringLiteral("unknown option: %1").arg(arg);
        return false;
    }

    bool noValue(const std::optional<QString> &inlineValue, const QString &name)
    {
        if (inlineValue)
            error_ = QStringLiteral("option %1 takes no value").arg(name);
        return !inlineValue;
    }

    bool value(const std::optional<QString> &inlineValue, const QString &name, QString &into)
    {
        if (inlineValue) {
            into = *inlineValue;
        } else if (index_ + 1 < args_.size()) {
            into = args_[++index_];
        } else {
            error_ = QStringLiteral("option %1 needs a value").arg(name);
            return false;
        }
        if (into.isEmpty())
            error_ = QStringLiteral("option %1 needs a non-empty value").arg(name);
        return !into.isEmpty();
    }

    bool workFactor(const std::optional<QString> &inlineValue, const QString &name)
    {
        QString text;
        if (!value(inlineValue, name, text))
            return false;
        bool ok = false;
        const int n = text.toInt(&ok);
        if (!ok || n < 1 || n > 22) {
            error_ = QStringLiteral("work factor must be a whole number from 1 to 22");
            return false;
        }
        command_.workFactor = n;
        workFactorGiven_ = true;
        return true;
    }

    bool takeAction(const QStringList &positional)
    {
        if (positional.isEmpty()) {
            error_ = QStringLiteral("missing command: encrypt or decrypt");
            return false;
        }
        const QString verb = positional.first();
        if (verb == QLatin1String("encrypt"))
            command_.action = CliCommand::Action::Encrypt;
        else if (verb == QLatin1String("decrypt"))
            command_.action = CliCommand::Action::Decrypt;
        else
            return error_ = QStringLiteral("unknown command: %1").arg(verb), false;
        if (positional.size() != 2)
            return error_ = positional.size() < 2 ? QStringLiteral("missing FILE") : QStringLiteral("only one FILE at a time"), false;
        command_.input = positional[1];
        if (command_.keyStdin && !command_.keyFile.isEmpty())
            return error_ = QStringLiteral("use --key-file or --key-stdin, not both"), false;
        if (workFactorGiven_ && command_.action == CliCommand::Action::Decrypt)
            return error_ = QStringLiteral("--work-factor applies to encryption only"), false;
        return true;
    }

    CliParseResult failure() const { return {std::nullopt, error_}; }

    const QStringList &args_;
    qsizetype index_ = 0;
    CliCommand command_;
    QString error_;
    bool wantsHelp_ = false, wantsVersion_ = false, workFactorGiven_ = false;
};

} // namespace

CliParseResult parseArguments(const QStringList &arguments)
{
    return Parser(arguments).parse();
}

QString usageText()
{
    return QStringLiteral(
        "Usage: ecx encrypt [OPTIONS] FILE    writes FILE.ECX\n"
        "       ecx decrypt [OPTIONS] FILE    writes FILE without its last four characters\n"
        "\n"
        "The key is asked on the terminal (twice when encrypting) unless given by\n"
        "--key-file or --key-stdin. It is never taken from the command line.\n"
        "\n"
        "Options:\n"
        "  -o, --output PATH     write to PATH instead\n"
        "      --delete          remove FILE after success; an encrypted copy is read\n"
        "                        back and checked completely first\n"
        "      --key-file PATH   read the key from PATH (one trailing newline is dropped)\n"
        "      --key-stdin       read the key from standard input (the same)\n"
        "      --work-factor N   scrypt work factor 2^N when encrypting (1-22, default 18)\n"
        "  -q, --quiet           no progress bar\n"
        "  -h, --help            show this help\n"
        "      --version         show the version\n"
        "\n"
        "Exit status: 0 success, 1 failure, 2 wrong usage.\n");
}
