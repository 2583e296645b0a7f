#include "cli/EcxCommand.h"

#include <cerrno>
#include <cstdio>
#include <new>
#include <stdexcept>
#include <sys/stat.h>
#include <unistd.h>

#include "cli/KeyInput.h"
#include "cli/PathText.h"
#include "cli/ProgressBar.h"
#include "cli/TerminalQuestion.h"
#include "globals/engine/FileEngine.h"
#include "globals/filerules/KeyString.h"
#include "globals/filerules/OutputNames.h"
#include "globals/filerules/SafeDelete.h"

namespace {

using Action = CliCommand::Action;

void printError(const QString &message)
{
    std::fprintf(stderr, "ecx: %s\n", message.toUtf8().constData());
}

QString printable(const std::string &bytes) { return printable(QByteArray::fromStdString(bytes)); }

// The file that `name` names, or `stream` when the name is "-".
age::FileEnd fileEnd(const QByteArray &name, const age::FileEnd &stream)
{
    return name == standardStreamName ? stream : age::FileEnd::file(name.toStdString());
}

// One input and what becomes of it.
struct Job {
    QByteArray input;
    age::FileEnd source, output;
    bool replaceExisting = false;
};

class CommandRun {
public:
    explicit CommandRun(const CliCommand &command) : m_command(command) {}

    int run()
    {
        std::vector<Job> jobs;
        // Every input is checked before the key is asked, so a mistyped name costs no typing.
        for (const QByteArray &input : m_command.inputs)
            if (auto job = plan(input))
                jobs.push_back(std::move(*job));
        if (jobs.empty())
            return m_worst;
        const KeyResult key = typedKey();
        if (!key.key) {
            printError(key.error);
            return ExitFailure;
        }
        m_engine.setKey(keyStringFor(*key.key).toStdString());
        m_engine.setWorkFactor(m_command.workFactor);
        m_engine.setArmor(m_command.armor);
        for (const Job &job : jobs)
            runJob(job);
        return m_worst;
    }

private:
    std::optional<Job> plan(const QByteArray &input)
    {
        Job job{input, fileEnd(input, age::FileEnd::standardInput()), {}, false};
        if (m_command.action == Action::Verify)
            return checkSource(job) ? std::optional(job) : std::nullopt;
        const std::optional<QByteArray> output = outputFor(input);
        if (!output) {
            failed(input, QStringLiteral("file name too short to drop four characters: %1")
                              .arg(printable(input)));
            return std::nullopt;
        }
        if (!m_command.output.isEmpty() && output->endsWith('/')) {
            failed(input, QStringLiteral("-o %1 names a folder: -o takes the output file's name")
                              .arg(printable(*output)));
            return std::nullopt;
        }
        if (output->isEmpty() || output->endsWith('/')) {
            failed(input, QStringLiteral("no file name left after dropping four characters: %1 "
                                         "(name the output with -o)")
                              .arg(printable(input)));
            return std::nullopt;
        }
        job.output = fileEnd(*output, age::FileEnd::standardOutput());
        if (!checkSource(job) || !mayWrite(job))
            return std::nullopt;
        return job;
    }

    std::optional<QByteArray> outputFor(const QByteArray &input) const
    {
        if (!m_command.output.isEmpty())
            return m_command.output;
        if (m_command.action == Action::Encrypt)
            return encryptedPathFor(input);
        return decryptedPathFor(input);
    }

    bool checkSource(const Job &job)
    {
        if (job.source.standardStream)
            return true;
        struct stat status;
        // Other faults (no permission, for example) are the engine's to report.
        if (::stat(job.source.path.c_str(), &status) != 0)
            return errno != ENOENT ||
                   failed(job.input,
                          QStringLiteral("file not found: %1").arg(printable(job.input)));
        if (S_ISDIR(status.st_mode))
            return failed(job.input, QStringLiteral("%1 is a folder").arg(printable(job.input)));
        return true;
    }

    // Whether the output may be written, and so whether an existing file may be replaced.
    bool mayWrite(Job &job)
    {
        if (job.output.standardStream)
            return true;
        const auto existing = age::identityAt(job.output.path);
        const QString name = printable(job.output.path);
        if (!existing)
            return true;
        if (S_ISDIR(existing->mode))
            return failed(job.input, QStringLiteral("%1 is a folder").arg(name));
        if (!existing->isRegular())
            return failed(
                job.input,
                QStringLiteral("%1 is not a regular file; it is left as it is").arg(name));
        job.replaceExisting =
            m_command.force ||
            (canAskOnTerminal() &&
             askYesOnTerminal(QStringLiteral("ecx: %1 exists. Replace it? [y/N]: ").arg(name)));
        return job.replaceExisting ||
               failed(job.input,
                      QStringLiteral("%1 exists; not replaced (--force replaces it)").arg(name));
    }

    KeyResult typedKey() const
    {
        const bool confirm = m_command.action == Action::Encrypt;
        if (m_command.keyStdin)
            return readKeyStdin(confirm);
        if (!m_command.keyFile.isEmpty())
            return readKeyFile(m_command.keyFile);
        return askKeyOnTerminal(confirm);
    }

    void runJob(const Job &job)
    {
        m_engine.setReplaceExisting(job.replaceExisting);
        const age::Failure failure = catching([&] { return runEngine(job); });
        if (failure) {
            failed(job.input, printable(failure.message()));
            return;
        }
        if (m_command.deleteInput && !deleteSource(job))
            return;
        reportSuccess(job);
    }

    // What the engine throws (memory running out, for example) fails this input only.
    template <typename Work>
    static age::Failure catching(const Work &work)
    {
        try {
            return work();
        } catch (const std::bad_alloc &) {
            return age::Failure::io("not enough memory");
        } catch (const std::exception &error) {
            return age::Failure::io(error.what());
        }
    }

    age::Failure runEngine(const Job &job)
    {
        return withProgress(label(), [&](const auto &progress) {
            switch (m_command.action) {
            case Action::Encrypt:
                return m_engine.encrypt(job.source, job.output, progress);
            case Action::Decrypt:
                return m_engine.decrypt(job.source, job.output, progress);
            default:
                return m_engine.verify(job.source, progress);
            }
        });
    }

    bool deleteSource(const Job &job)
    {
        const age::RunRecord &run = m_engine.lastRun();
        std::function<age::Failure()> verify;
        // A plaintext goes only once its encrypted copy is proven to open with the key.
        if (m_command.action == Action::Encrypt)
            verify = [&] {
                return catching([&] {
                    return withProgress(QStringLiteral("verifying"), [&](const auto &progress) {
                        return m_engine.verify(run.output, progress, run.outputIdentity);
                    });
                });
            };
        const SafeDeleteResult result = deleteSourceSafely(run, verify);
        return result.end == SafeDeleteEnd::Deleted || failed(job.input, printable(result.message));
    }

    void reportSuccess(const Job &job) const
    {
        if (m_command.quiet)
            return;
        if (m_command.action == Action::Verify)
            std::printf("%s: OK\n", printable(job.input).toUtf8().constData());
        else if (m_command.inputs.size() > 1)
            std::fprintf(stderr, "ecx: %s -> %s\n", printable(job.input).toUtf8().constData(),
                         printable(job.output.path).toUtf8().constData());
    }

    template <typename Work>
    age::Failure withProgress(const QString &text, const Work &work)
    {
        ProgressBar bar(text, !m_command.quiet && ::isatty(STDERR_FILENO));
        return work([&bar](std::int16_t percent) { bar.show(percent); });
    }

    QString label() const
    {
        switch (m_command.action) {
        case Action::Encrypt:
            return QStringLiteral("encrypting");
        case Action::Decrypt:
            return QStringLiteral("decrypting");
        default:
            return QStringLiteral("verifying");
        }
    }

    // Reports a failure of one input (naming it when there are several); always false.
    bool failed(const QByteArray &input, const QString &message)
    {
        printError(m_command.inputs.size() > 1 ? printable(input) + ": " + message : message);
        m_worst = std::max<int>(m_worst, ExitFailure);
        return false;
    }

    const CliCommand &m_command;
    age::FileEngine m_engine;
    int m_worst = ExitSuccess;
};

} // namespace

int runCommand(const CliCommand &command) { return CommandRun(command).run(); }
