#pragma once
#include <QString>
#include <QStringList>
#include <mutex>
#include <optional>

#include "app/SeveralFilesMessage.h"
#include "globals/batch/BatchListener.h"
#include "globals/batch/BatchOptions.h"

class FileTab;
class QWidget;

namespace batch {
class BatchRun;
}

// A run over several files or folders from one frame, driven through the batch library on the
// worker thread: it asks on the window's thread how a folder is encrypted and whether existing
// outputs may be replaced, shows the run's progress over all its bytes and the name of the file
// in hand, and ends in the one message that sums the run up.
class SeveralFilesRun : public batch::BatchListener {
public:
    struct Request {
        batch::Action action;
        QStringList paths;
        QString key;
        bool deleteSources;
        int workFactor;
    };

    // `window` owns the questions; `tab` shows the progress. Both live on the window's thread.
    SeveralFilesRun(QWidget &window, FileTab &tab, Request request);

    // Worker thread: the whole run. No message when the user cancelled before anything was done.
    std::optional<SeveralFilesMessage> run();
    // Any thread: the run ends after the current file.
    void requestStop();

    batch::ReplaceAnswer replaceExisting(const std::string &path) override;
    void progress(const batch::BatchProgress &progress) override;

private:
    // The packing, asked for when one folder is encrypted; empty when the user cancelled.
    std::optional<batch::Packing> choosePacking();
    std::optional<batch::Packing> askFolderPacking();
    // Plans and runs; `planned` is set to the number of files the run was to handle or report.
    const batch::BatchSummary &work(batch::BatchRun &run, std::size_t &planned);
    void showOnWindow(int percent, const QString &label);

    QWidget &m_window;
    FileTab &m_tab;
    const Request m_request;
    std::mutex m_stopMutex;
    batch::BatchRun *m_current = nullptr;
    bool m_stopRequested = false;
    batch::Packing m_packing = batch::Packing::EachFile;
    int m_shownPercent = -1;
    QString m_shownLabel;
};
