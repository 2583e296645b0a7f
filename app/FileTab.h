#pragma once
#include "app/TabPage.h"

#include <QPointer>
#include <functional>

class CipherFrame;
class FileRunner;
class RunProgressBar;
class WorkerThread;

// The "  File  " tab: its icon and heading, the encrypt frame, the decrypt frame and the
// progress bar that the engine's progress drives.
//
// One run at a time works on the worker thread. While it works, both frames are disabled (no
// run can be started or changed, so no input is silently dropped), the window shows a busy
// cursor and the bar names what is being done.
class FileTab : public TabPage {
    Q_OBJECT

public:
    FileTab(QTabWidget *tabs, FileRunner &runner, WorkerThread &worker);

    CipherFrame *encryptFrame() const { return m_encrypt; }
    CipherFrame *decryptFrame() const { return m_decrypt; }

    // Shows an engine progress value on the bar, clamped to its range of 0 to 100.
    void showProgress(qint16 percent);
    // Names what the run does now in the bar.
    void showWorkingOn(const QString &label);
    // The single-file run turns to the check of its new file before the source is deleted.
    void showChecking();

    // A run starts: `label` names its file, `checkLabel` its check. `stop` asks a run of
    // several files to stop after the current file (empty for a single file).
    void beginRun(const QString &label, const QString &checkLabel, std::function<void()> stop);
    // The run's result was shown: the frames answer again.
    void endRun();
    bool running() const { return m_running; }
    // Whether the run in hand may be stopped after its current file.
    bool stoppable() const { return bool(m_stop); }
    // Asks the run in hand to stop after its current file.
    void stopAfterCurrentFile();

signals:
    // A run ended and its result was shown.
    void runEnded();

private:
    RunProgressBar *m_progress;
    CipherFrame *m_encrypt;
    CipherFrame *m_decrypt;
    bool m_running = false;
    QString m_checkLabel;
    std::function<void()> m_stop;
    // Where the keyboard focus was when the run began: disabling the frames moves it away.
    QPointer<QWidget> m_focusBefore;
};
