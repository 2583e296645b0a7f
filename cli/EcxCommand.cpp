#include "cli/EcxCommand.h"

#include <cstdio>
#include <memory>
#include <unistd.h>

#include "cli/KeyInput.h"
#include "cli/PathText.h"
#include "cli/ProgressBar.h"
#include "cli/TerminalQuestion.h"
#include "globals/batch/BatchRun.h"
#include "globals/filerules/KeyString.h"

namespace {

using Action = CliCommand::Action;

void printError(const QString &message)
{
    std::fprintf(stderr, "ecx: %s\n", message.toUtf8().constData());
}

QString printable(const std::string &bytes) { return printable(QByteArray::fromStdString(bytes)); }

batch::BatchOptions optionsFor(const CliCommand &command)
{
    batch::BatchOptions options;
    options.action = command.action == Action::Encrypt   ? batch::Action::Encrypt
                     : command.action == Action::Decrypt ? batch::Action::Decrypt
                                                         : batch::Action::Verify;
    options.packing = command.archive   ? batch::Packing::Archive
                      : command.extract ? batch::Packing::Extract
                                        : batch::Packing::EachFile;
    options.recursive = command.recursive;
    options.deleteSources = command.deleteInput;
    options.armor = command.armor;
    options.workFactor = command.workFactor;
    options.output = command.output.toStdString();
    options.standardStreams = true;
    return options;
}

std::vector<std::string> pathsOf(const CliCommand &command)
{
    std::vector<std::string> paths;
    for (const QByteArray &input : command.inputs)
        paths.push_back(input.toStdString());
    return paths;
}

// What `ecx` says and asks while a run works: one line per failure, the replace question on
// the terminal, a progress bar per file and step on standard error when it is a terminal.
class TerminalListener final : public batch::BatchListener {
public:
    explicit TerminalListener(const CliCommand &command) : m_command(command) {}

    void setSeveral(bool several) { m_several = several; }
    int worst() const { return m_worst; }

    batch::ReplaceAnswer replaceExisting(const std::string &path) override
    {
        if (m_command.force)
            return batch::ReplaceAnswer::YesToAll;
        const bool yes =
            canAskOnTerminal() &&
            askYesOnTerminal(
                QStringLiteral("ecx: %1 exists. Replace it? [y/N]: ").arg(printable(path)));
        return yes ? batch::ReplaceAnswer::Yes : batch::ReplaceAnswer::No;
    }

    void progress(const batch::BatchProgress &progress) override
    {
        const auto step = std::make_pair(progress.stage, progress.fileIndex);
        if (!m_bar || step != m_step) {
            m_bar.reset();
            m_bar = std::make_unique<ProgressBar>(label(progress.stage),
                                                  !m_command.quiet && ::isatty(STDERR_FILENO));
            m_step = step;
        }
        const std::uint64_t done = progress.fileBytes ? progress.fileDoneBytes : 0;
        const std::uint64_t total = progress.fileBytes ? progress.fileBytes : 1;
        m_bar->show(int(done * 100 / total));
    }

    void fileDone(const batch::FileOutcome &outcome) override
    {
        m_bar.reset();
        if (outcome.result == batch::FileResult::Failed)
            failed(outcome);
        else if (outcome.result == batch::FileResult::Handled)
            reportSuccess(outcome);
    }

    void failed(const QString &message)
    {
        printError(message);
        m_worst = std::max<int>(m_worst, ExitFailure);
    }

private:
    void failed(const batch::FileOutcome &outcome)
    {
        QString message = printable(outcome.reason) + hint(outcome.cause);
        if (outcome.cause == batch::FailureCause::OutputIsFolderName)
            message = QStringLiteral("-o %1 names a folder: -o takes the output file's name")
                          .arg(printable(m_command.output));
        failed(m_several ? printable(outcome.path) + ": " + message : message);
    }

    QString hint(batch::FailureCause cause) const
    {
        if (cause == batch::FailureCause::OutputExists)
            return QStringLiteral(" (--force replaces it)");
        if (cause != batch::FailureCause::IsFolder || m_command.extract)
            return {};
        return m_command.action == Action::Encrypt
                   ? QStringLiteral(" (-r encrypts each file in it, --archive makes one "
                                    "archive of it)")
                   : QStringLiteral(" (-r takes each .ECX file in it)");
    }

    void reportSuccess(const batch::FileOutcome &outcome) const
    {
        if (m_command.quiet)
            return;
        if (m_command.action == Action::Verify)
            std::printf("%s: OK\n", printable(outcome.path).toUtf8().constData());
        else if (m_several || m_command.archive || m_command.extract)
            std::fprintf(stderr, "ecx: %s -> %s\n", printable(outcome.path).toUtf8().constData(),
                         printable(outcome.output).toUtf8().constData());
    }

    QString label(batch::Stage stage) const
    {
        switch (stage) {
        case batch::Stage::Encrypting:
            return QStringLiteral("encrypting");
        case batch::Stage::Decrypting:
            return QStringLiteral("decrypting");
        case batch::Stage::Archiving:
            return QStringLiteral("archiving");
        case batch::Stage::Extracting:
            return QStringLiteral("extracting");
        default:
            return QStringLiteral("verifying");
        }
    }

    const CliCommand &m_command;
    bool m_several = false;
    int m_worst = ExitSuccess;
    std::unique_ptr<ProgressBar> m_bar;
    std::pair<batch::Stage, std::size_t> m_step;
};

KeyResult typedKey(const CliCommand &command)
{
    const bool confirm = command.action == Action::Encrypt;
    if (command.keyStdin)
        return readKeyStdin(confirm);
    if (!command.keyFile.isEmpty())
        return readKeyFile(command.keyFile);
    return askKeyOnTerminal(confirm);
}

void printSummary(const CliCommand &command, const batch::BatchSummary &summary)
{
    const QString verb = command.action == Action::Encrypt   ? QStringLiteral("encrypted")
                         : command.action == Action::Decrypt ? QStringLiteral("decrypted")
                                                             : QStringLiteral("verified");
    std::fprintf(stderr, "ecx: %zu %s, %zu skipped, %zu failed%s\n", summary.handled,
                 verb.toUtf8().constData(), summary.skipped, summary.failed,
                 summary.stopped ? ", stopped" : "");
}

} // namespace

int runCommand(const CliCommand &command)
{
    batch::BatchRun run(optionsFor(command), pathsOf(command));
    TerminalListener listener(command);
    listener.setSeveral(command.inputs.size() > 1 || command.recursive);
    // Every input is checked before the key is asked, so a mistyped name costs no typing.
    if (run.plan(listener) > 0) {
        const KeyResult key = typedKey(command);
        if (!key.key) {
            listener.failed(key.error);
            return ExitFailure;
        }
        run.setKey(keyStringFor(*key.key).toStdString());
        run.run(listener);
    }
    if (command.recursive && !command.quiet)
        printSummary(command, run.summary());
    return listener.worst();
}
