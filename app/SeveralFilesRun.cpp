#include "app/SeveralFilesRun.h"

#include "app/FileTab.h"
#include "app/WorkerThread.h"
#include "globals/batch/BatchRun.h"
#include "globals/filerules/KeyString.h"
#include "platform/ui/ChoiceBox.h"

#include <QFile>
#include <QFileInfo>
#include <QWidget>

namespace {

std::vector<std::string> systemPaths(const QStringList &paths)
{
    std::vector<std::string> converted;
    for (const QString &path : paths)
        converted.push_back(QFile::encodeName(path).toStdString());
    return converted;
}

QString nameOf(const std::string &path)
{
    return QFileInfo(QFile::decodeName(path.c_str())).fileName();
}

QString progressLabel(const batch::BatchProgress &progress)
{
    const QString name = nameOf(progress.currentPath);
    switch (progress.stage) {
    case batch::Stage::Checking:
        return QStringLiteral("Checking %1…").arg(name);
    case batch::Stage::Extracting:
        return QStringLiteral("Extracting %1…").arg(name);
    case batch::Stage::Archiving:
        return QStringLiteral("Archiving %1…").arg(name);
    default:
        return progress.fileCount > 1 ? QStringLiteral("%1 (%2 of %3)")
                                            .arg(name)
                                            .arg(progress.fileIndex + 1)
                                            .arg(progress.fileCount)
                                      : name;
    }
}

} // namespace

SeveralFilesRun::SeveralFilesRun(QWidget &window, FileTab &tab, Request request)
    : m_window(window), m_tab(tab), m_request(std::move(request))
{
}

std::optional<SeveralFilesMessage> SeveralFilesRun::run()
{
    const std::optional<batch::Packing> packing = choosePacking();
    if (!packing)
        return std::nullopt;
    m_packing = *packing;
    batch::BatchOptions options;
    options.action = m_request.action;
    options.packing = *packing;
    options.recursive = true;
    options.deleteSources = m_request.deleteSources;
    options.workFactor = m_request.workFactor;
    batch::BatchRun run(options, systemPaths(m_request.paths));
    std::size_t planned = 0;
    const batch::BatchSummary &summary = work(run, planned);
    return severalFilesMessage(m_request.action, *packing, summary, planned);
}

const batch::BatchSummary &SeveralFilesRun::work(batch::BatchRun &run, std::size_t &planned)
{
    {
        const std::lock_guard lock(m_stopMutex);
        m_current = &run;
        if (m_stopRequested)
            run.requestStop();
    }
    planned = run.plan(*this);
    // What plan() already skipped or failed is in the summary.
    planned += run.summary().outcomes.size();
    if (run.fileCount() > 0) {
        run.setKey(keyStringFor(m_request.key).toStdString());
        run.run(*this);
    }
    const std::lock_guard lock(m_stopMutex);
    m_current = nullptr;
    return run.summary();
}

void SeveralFilesRun::requestStop()
{
    const std::lock_guard lock(m_stopMutex);
    m_stopRequested = true;
    if (m_current)
        m_current->requestStop();
}

std::optional<batch::Packing> SeveralFilesRun::choosePacking()
{
    const QStringList &paths = m_request.paths;
    if (paths.size() != 1)
        return batch::Packing::EachFile;
    if (m_request.action == batch::Action::Decrypt &&
        paths.front().endsWith(QLatin1String(".tar.ecx"), Qt::CaseInsensitive) &&
        !QFileInfo(paths.front()).isDir())
        return batch::Packing::Extract;
    if (m_request.action == batch::Action::Encrypt && QFileInfo(paths.front()).isDir())
        return askFolderPacking();
    return batch::Packing::EachFile;
}

std::optional<batch::Packing> SeveralFilesRun::askFolderPacking()
{
    // The files the folder holds are counted by planning a run that asks nothing.
    batch::BatchOptions counting;
    counting.action = batch::Action::Encrypt;
    counting.recursive = true;
    batch::BatchRun count(counting, systemPaths(m_request.paths));
    batch::BatchListener silent;
    count.plan(silent);
    const QString question =
        folderQuestion(m_request.paths.front(), count.fileCount(), count.totalBytes());
    const int answer = WorkerThread::callOn<int>(&m_window, [&] {
        return platform::askChoice(
            {&m_window,
             question,
             QStringLiteral("Encrypt Folder"),
             {QStringLiteral("One Archive"), QStringLiteral("Each File"), QStringLiteral("Cancel")},
             2,
             {},
             platform::MessageIcon::Question});
    });
    switch (answer) {
    case 0:
        return batch::Packing::Archive;
    case 1:
        return batch::Packing::EachFile;
    default:
        return std::nullopt;
    }
}

batch::ReplaceAnswer SeveralFilesRun::replaceExisting(const std::string &path)
{
    const QString text = QStringLiteral("%1 already exists.\nDo you want to replace it?")
                             .arg(QFile::decodeName(path.c_str()));
    // The "to all" answers only make sense where more than one output is made.
    QStringList buttons{QStringLiteral("Yes"), QStringLiteral("No")};
    static const batch::ReplaceAnswer twoAnswers[] = {batch::ReplaceAnswer::Yes,
                                                      batch::ReplaceAnswer::No};
    static const batch::ReplaceAnswer fourAnswers[] = {
        batch::ReplaceAnswer::Yes, batch::ReplaceAnswer::YesToAll, batch::ReplaceAnswer::No,
        batch::ReplaceAnswer::NoToAll};
    const bool several = m_packing == batch::Packing::EachFile;
    if (several)
        buttons = QStringList{QStringLiteral("Yes"), QStringLiteral("Yes to All"),
                              QStringLiteral("No"), QStringLiteral("No to All")};
    const int no = several ? 2 : 1;
    const int answer = WorkerThread::callOn<int>(&m_window, [&] {
        return platform::askChoice({&m_window,
                                    text,
                                    QStringLiteral("Replace File"),
                                    buttons,
                                    no,
                                    {},
                                    platform::MessageIcon::Question});
    });
    const int chosen = answer < 0 || answer >= buttons.size() ? no : answer;
    return several ? fourAnswers[chosen] : twoAnswers[chosen];
}

void SeveralFilesRun::progress(const batch::BatchProgress &progress)
{
    // Only changes travel to the window's thread: the library reports far more often.
    const int percent = progress.percent();
    const QString label = progressLabel(progress);
    if (percent == m_shownPercent && label == m_shownLabel)
        return;
    m_shownPercent = percent;
    m_shownLabel = label;
    showOnWindow(percent, label);
}

void SeveralFilesRun::showOnWindow(int percent, const QString &label)
{
    FileTab *tab = &m_tab;
    QMetaObject::invokeMethod(tab, [tab, percent, label] {
        tab->showProgress(qint16(percent));
        tab->showWorkingOn(label);
    });
}
