#include "cli/CliArguments.h"

#include "cli/CliOptions.h"
#include "cli/PathText.h"
#include "globals/engine/ScryptIdentity.h"

namespace {

using Action = CliCommand::Action;

class Parser {
public:
    explicit Parser(const QByteArrayList &arguments) : m_args(arguments) {}

    CliParseResult parse()
    {
        QByteArrayList positional;
        bool optionsEnded = false;
        for (m_index = 0; m_index < m_args.size(); ++m_index) {
            const QByteArray &arg = m_args[m_index];
            if (optionsEnded || !arg.startsWith('-') || arg == standardStreamName)
                positional << arg;
            else if (arg == "--")
                optionsEnded = true;
            else if (!(arg.startsWith("--") ? longOption(arg) : shortOptions(arg)))
                return failure();
        }
        if (m_wantsHelp || m_wantsVersion) {
            m_command.action = m_wantsHelp ? Action::Help : Action::Version;
            return {m_command, {}};
        }
        if (!takeAction(positional) || !checkConsistency())
            return failure();
        return {m_command, {}};
    }

private:
    bool longOption(const QByteArray &arg)
    {
        const qsizetype equals = arg.indexOf('=');
        const QByteArray name = equals > 0 ? arg.left(equals) : arg;
        const std::optional<QByteArray> inlineValue =
            equals > 0 ? std::optional<QByteArray>(arg.mid(equals + 1)) : std::nullopt;
        if (name == "--output")
            return value(inlineValue, name, m_command.output);
        if (name == "--key-file")
            return value(inlineValue, name, m_command.keyFile);
        if (name == "--work-factor")
            return workFactor(inlineValue, name);
        if (inlineValue && flagFor(name))
            return fail(QStringLiteral("option %1 takes no value").arg(printable(name)));
        return flag(name, arg);
    }

    // A bundle of one-letter options; "-o" takes the rest of the bundle or the next argument.
    bool shortOptions(const QByteArray &arg)
    {
        for (qsizetype at = 1; at < arg.size(); ++at) {
            const QByteArray name = QByteArray("-") + arg[at];
            if (name == "-o") {
                const QByteArray rest = arg.mid(at + 1);
                return value(rest.isEmpty() ? std::nullopt : std::optional(rest), name,
                             m_command.output);
            }
            if (!flag(name, arg))
                return false;
        }
        return true;
    }

    // The switch that `name` turns on, or null for an unknown name.
    bool *flagFor(const QByteArray &name)
    {
        if (name == "-h" || name == "--help")
            return &m_wantsHelp;
        if (name == "--version")
            return &m_wantsVersion;
        if (name == "--delete")
            return &m_command.deleteInput;
        if (name == "-q" || name == "--quiet")
            return &m_command.quiet;
        if (name == "-f" || name == "--force")
            return &m_command.force;
        if (name == "-a" || name == "--armor")
            return &m_command.armor;
        if (name == "--key-stdin")
            return &m_command.keyStdin;
        if (name == "-r" || name == "--recursive")
            return &m_command.recursive;
        if (name == "--archive")
            return &m_command.archive;
        if (name == "--extract")
            return &m_command.extract;
        return nullptr;
    }

    bool flag(const QByteArray &name, const QByteArray &arg)
    {
        bool *target = flagFor(name);
        if (!target)
            return fail(QStringLiteral("unknown option: %1")
                            .arg(printable(name.size() == 2 && arg.size() > 2 ? name : arg)));
        *target = true;
        return true;
    }

    bool value(const std::optional<QByteArray> &inlineValue, const QByteArray &name,
               QByteArray &into)
    {
        if (inlineValue)
            into = *inlineValue;
        else if (m_index + 1 < m_args.size())
            into = m_args[++m_index];
        else
            return fail(QStringLiteral("option %1 needs a value").arg(printable(name)));
        if (into.isEmpty())
            return fail(QStringLiteral("option %1 needs a non-empty value").arg(printable(name)));
        return true;
    }

    bool workFactor(const std::optional<QByteArray> &inlineValue, const QByteArray &name)
    {
        QByteArray text;
        if (!value(inlineValue, name, text))
            return false;
        bool ok = false;
        const int n = text.toInt(&ok);
        if (!ok || n < age::minOfferedWorkFactor || n > age::maxReadWorkFactor)
            return fail(QStringLiteral("work factor must be a whole number from %1 to %2")
                            .arg(age::minOfferedWorkFactor)
                            .arg(age::maxReadWorkFactor));
        m_command.workFactor = n;
        m_workFactorGiven = true;
        return true;
    }

    bool takeAction(const QByteArrayList &positional)
    {
        if (positional.isEmpty())
            return fail(QStringLiteral("missing command: encrypt, decrypt or verify"));
        const QByteArray &verb = positional.first();
        if (verb == "encrypt")
            m_command.action = Action::Encrypt;
        else if (verb == "decrypt")
            m_command.action = Action::Decrypt;
        else if (verb == "verify")
            m_command.action = Action::Verify;
        else
            return fail(QStringLiteral("unknown command: %1").arg(printable(verb)));
        m_command.inputs = positional.mid(1);
        return m_command.inputs.isEmpty() ? fail(QStringLiteral("missing FILE")) : true;
    }

    bool checkConsistency()
    {
        const CliCommand &c = m_command;
        const bool verify = c.action == Action::Verify;
        const bool streamIn = c.inputs.contains(standardStreamName);
        if (c.keyStdin && !c.keyFile.isEmpty())
            return fail(QStringLiteral("use --key-file or --key-stdin, not both"));
        if (m_workFactorGiven && c.action != Action::Encrypt)
            return fail(QStringLiteral("--work-factor applies to encryption only"));
        if (c.armor && c.action != Action::Encrypt)
            return fail(QStringLiteral("--armor applies to encryption only; armored files are "
                                       "read as they are"));
        if (verify && (!c.output.isEmpty() || c.deleteInput || c.force))
            return fail(QStringLiteral("verify writes and deletes nothing: no -o, --force or "
                                       "--delete"));
        if (c.archive && c.action != Action::Encrypt)
            return fail(QStringLiteral("--archive applies to encryption only; --extract gives "
                                       "an archive's folder back"));
        if (c.extract && c.action != Action::Decrypt)
            return fail(QStringLiteral("--extract applies to decryption only"));
        if (c.recursive && (c.archive || c.extract))
            return fail(QStringLiteral("-r handles each file on its own: not with --archive or "
                                       "--extract"));
        if (!c.output.isEmpty() && !c.archive && (c.inputs.size() > 1 || c.recursive))
            return fail(QStringLiteral("-o takes one FILE at a time"));
        if ((c.recursive || c.archive || c.extract) && streamIn)
            return fail(QStringLiteral("-r, --archive and --extract work on files and folders, "
                                       "not on standard input"));
        if (c.extract && (c.deleteInput || c.output == standardStreamName))
            return fail(QStringLiteral("--extract writes a folder and keeps the archive: no "
                                       "--delete or -o -"));
        if (c.inputs.count(standardStreamName) > 1)
            return fail(QStringLiteral("standard input can be read once"));
        if (streamIn && c.keyStdin)
            return fail(QStringLiteral("standard input cannot hold both the file and the key: "
                                       "use --key-file or the terminal"));
        if (streamIn && !verify && c.output.isEmpty())
            return fail(QStringLiteral("reading standard input needs -o PATH or -o -"));
        if (c.deleteInput && (streamIn || c.output == standardStreamName))
            return fail(QStringLiteral("--delete needs a file to read and a file to write"));
        return true;
    }

    bool fail(const QString &error)
    {
        m_error = error;
        return false;
    }

    CliParseResult failure() const { return {std::nullopt, m_error}; }

    const QByteArrayList &m_args;
    qsizetype m_index = 0;
    CliCommand m_command;
    QString m_error;
    bool m_wantsHelp = false, m_wantsVersion = false, m_workFactorGiven = false;
};

} // namespace

CliParseResult parseArguments(const QByteArrayList &arguments) { return Parser(arguments).parse(); }

QString usageText()
{
    return QStringLiteral(
               "Usage: ecx encrypt [OPTIONS] FILE...   writes FILE.ECX for each FILE\n"
               "       ecx decrypt [OPTIONS] FILE...   writes FILE without its last four "
               "characters\n"
               "       ecx verify [OPTIONS] FILE...    checks that each FILE opens with the key\n"
               "       ecx encrypt -r PATH...          each file in folders; decrypt -r and verify "
               "-r\n"
               "                                       take each .ECX file\n"
               "       ecx encrypt --archive PATH...   one archive: photos becomes photos.tar.ECX\n"
               "       ecx decrypt --extract FILE...   photos.tar.ECX gives the folder photos "
               "back\n"
               "\n"
               "The key is asked once on the terminal (twice when encrypting) unless given by\n"
               "--key-file or --key-stdin. It is never taken from the command line.\n"
               "FILE may be - for standard input (encrypt and decrypt then need -o). Armored "
               "files\n"
               "are read like binary ones.\n"
               "\n"
               "Options:\n") +
           optionsHelp() +
           QStringLiteral(
               "\n"
               "An existing output file is replaced only with --force or when you say yes on the\n"
               "terminal. Output files appear only when complete: a failed run leaves the old "
               "file\n"
               "or none. Standard output cannot be undone: a failed run leaves there what was\n"
               "written before the failure (when decrypting, only data that authenticated).\n"
               "-r follows no symbolic link and skips FIFOs, sockets and devices; encrypting\n"
               "leaves .ECX and age files alone. It ends with a line of what was handled, skipped\n"
               "and failed. --extract shows the folder only when the whole archive authenticated.\n"
               "\n"
               "Exit status: 0 success, 1 failure (the worst of all FILEs), 2 wrong usage.\n");
}
