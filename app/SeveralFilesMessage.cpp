#include "app/SeveralFilesMessage.h"

#include "globals/batch/BatchOptions.h"
#include "globals/batch/BatchOutcome.h"

#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <algorithm>

namespace {

QString fromSystem(const std::string &path) { return QFile::decodeName(path.c_str()); }

QString detailLine(const batch::FileOutcome &outcome)
{
    const QString what = outcome.result == batch::FileResult::Skipped ? QStringLiteral("Skipped")
                                                                      : QStringLiteral("Failed");
    return QStringLiteral("%1: %2: %3")
        .arg(what, fromSystem(outcome.path), QString::fromStdString(outcome.reason));
}

QString doneText(batch::Action action, batch::Packing packing, const batch::BatchSummary &summary,
                 std::size_t planned)
{
    if (packing == batch::Packing::Extract && summary.handled == 1) {
        const batch::FileOutcome &archive = summary.outcomes.front();
        return QStringLiteral("Decrypt File is Done! The folder %1 was given back from %2, "
                              "extracted safely: the archive was checked whole before the folder "
                              "appeared, and nothing outside it was written or replaced.")
            .arg(fromSystem(archive.output), QFileInfo(fromSystem(archive.path)).fileName());
    }
    if (packing == batch::Packing::Archive && summary.handled > 0)
        return QStringLiteral("Encrypted %1 into one archive, %2.")
            .arg(QFileInfo(fromSystem(summary.outcomes.front().path)).fileName(),
                 fromSystem(summary.outcomes.front().output));
    const std::size_t total = std::max(planned, summary.handled + summary.skipped + summary.failed);
    if (total == 0)
        return action == batch::Action::Encrypt ? QStringLiteral("No file to encrypt was found.")
                                                : QStringLiteral("No .ECX file was found.");
    const QString verb = action == batch::Action::Encrypt   ? QStringLiteral("Encrypted")
                         : action == batch::Action::Decrypt ? QStringLiteral("Decrypted")
                                                            : QStringLiteral("Checked");
    return QStringLiteral("%1 %2 of %3 %4.")
        .arg(verb, QLocale().toString(qulonglong(summary.handled)),
             QLocale().toString(qulonglong(total)),
             total == 1 ? QStringLiteral("file") : QStringLiteral("files"));
}

} // namespace

SeveralFilesMessage severalFilesMessage(batch::Action action, batch::Packing packing,
                                        const batch::BatchSummary &summary, std::size_t planned)
{
    SeveralFilesMessage message;
    message.text = doneText(action, packing, summary, planned);
    if (summary.stopped)
        message.text += QStringLiteral(" Stopped on request: every finished file is whole, and "
                                       "the files not reached were left as they were.");
    QStringList details;
    for (const batch::FileOutcome &outcome : summary.outcomes)
        if (outcome.result != batch::FileResult::Handled)
            details << detailLine(outcome);
    message.details = details.join(QLatin1Char('\n'));
    const bool allWell = summary.failed == 0 && !summary.stopped && !summary.outcomes.empty();
    message.title = allWell ? QStringLiteral("Complete") : QStringLiteral("ERROR");
    message.icon =
        allWell ? platform::MessageIcon::Information : platform::MessageIcon::Exclamation;
    return message;
}

QString folderQuestion(const QString &folder, std::size_t files, quint64 bytes)
{
    const QString name = QFileInfo(folder).fileName();
    return QStringLiteral("Encrypt the folder %1 (%2 %3, %4) as one archive, %1.tar.ECX, or each "
                          "file on its own?")
        .arg(name, QLocale().toString(qulonglong(files)),
             files == 1 ? QStringLiteral("file") : QStringLiteral("files"),
             QLocale().formattedDataSize(qint64(bytes), 1, QLocale::DataSizeSIFormat));
}
