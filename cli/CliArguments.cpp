#include "cli/CliArguments.h"

namespace {

class Parser {
public:
    explicit Parser(const QStringList &arguments) : m_args(arguments) {}

    CliParseResult parse()
    {
        QStringList positional;
        bool optionsEnded = false;
        for (m_index = 0; m_index < m_args.size(); ++m_index) {
            const QString arg = m_args[m_index];
            if (optionsEnded || !arg.startsWith('-') || arg == QLatin1String("-")) {
                positional << arg;
            } else if (arg == QLatin1String("--")) {
                optionsEnded = true;
            } else if (!option(arg)) {
                return failure();
            }
        }
        if (m_wantsHelp || m_wantsVersion) {
            m_command.action = m_wantsHelp ? CliCommand::Action::Help : CliCommand::Action::Version;
            return {m_command, {}};
        }
        if (!takeAction(positional))
            return failure();
        return {m_command, {}};
    }

private:
    bool option(const QString &arg)
    {
        const qsizetype equals = arg.indexOf('=');
        const QString name =
            arg.startsWith(QLatin1String("--")) && equals > 0 ? arg.left(equals) : arg;
        const std::optional<QString> inlineValue =
            name.size() < arg.size() ? std::optional<QString>(arg.mid(equals + 1)) : std::nullopt;
        if (name == QLatin1String("-h") || name == QLatin1String("--help"))
            return noValue(inlineValue, name) && (m_wantsHelp = true);
        if (name == QLatin1String("--version"))
            return noValue(inlineValue, name) && (m_wantsVersion = true);
        if (name == QLatin1String("--delete"))
            return noValue(inlineValue, name) && (m_command.deleteInput = true);
        if (name == QLatin1String("-q") || name == QLatin1String("--quiet"))
            return noValue(inlineValue, name) && (m_command.quiet = true);
        if (name == QLatin1String("--key-stdin"))
            return noValue(inlineValue, name) && (m_command.keyStdin = true);
        if (name == QLatin1String("-o") || name == QLatin1String("--output"))
            return value(inlineValue, name, m_command.output);
        if (name == QLatin1String("--key-file"))
            return value(inlineValue, name, m_command.keyFile);
        if (name == QLatin1String("--work-factor"))
            return workFactor(inlineValue, name);
        m_error = QStringLiteral("unknown option: %1").arg(arg);
        return false;
    }

    bool noValue(const std::optional<QString> &inlineValue, const QString &name)
    {
        if (inlineValue)
            m_error = QStringLiteral("option %1 takes no value").arg(name);
        return !inlineValue;
    }

    bool value(const std::optional<QString> &inlineValue, const QString &name, QString &into)
    {
        if (inlineValue) {
            into = *inlineValue;
        } else if (m_index + 1 < m_args.size()) {
            into = m_args[++m_index];
        } else {
            m_error = QStringLiteral("option %1 needs a value").arg(name);
            return false;
        }
        if (into.isEmpty())
            m_error = QStringLiteral("option %1 needs a non-empty value").arg(name);
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
            m_error = QStringLiteral("work factor must be a whole number from 1 to 22");
            return false;
        }
        m_command.workFactor = n;
        m_workFactorGiven = true;
        return true;
    }

    bool takeAction(const QStringList &positional)
    {
        if (positional.isEmpty()) {
            m_error = QStringLiteral("missing command: encrypt or decrypt");
            return false;
        }
        const QString verb = positional.first();
        if (verb == QLatin1String("encrypt"))
            m_command.action = CliCommand::Action::Encrypt;
        else if (verb == QLatin1String("decrypt"))
            m_command.action = CliCommand::Action::Decrypt;
        else
            return m_error = QStringLiteral("unknown command: %1").arg(verb), false;
        if (positional.size() != 2)
            return m_error = positional.size() < 2 ? QStringLiteral("missing FILE")
                                                   : QStringLiteral("only one FILE at a time"),
                   false;
        m_command.input = positional[1];
        if (m_command.keyStdin && !m_command.keyFile.isEmpty())
            return m_error = QStringLiteral("use --key-file or --key-stdin, not both"), false;
        if (m_workFactorGiven && m_command.action == CliCommand::Action::Decrypt)
            return m_error = QStringLiteral("--work-factor applies to encryption only"), false;
        return true;
    }

    CliParseResult failure() const { return {std::nullopt, m_error}; }

    const QStringList &m_args;
    qsizetype m_index = 0;
    CliCommand m_command;
    QString m_error;
    bool m_wantsHelp = false, m_wantsVersion = false, m_workFactorGiven = false;
};

} // namespace

CliParseResult parseArguments(const QStringList &arguments) { return Parser(arguments).parse(); }

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
