#pragma once
#include <QWidget>
#include <memory>

#include "platform/core/VBool.h"

class EncDec;
class FileRunner;
class FileTab;
class WindowPasswordControl;
class PasswordTab;
class QTabWidget;
class StoredPassword;
class VTButton;
class WorkerThread;

// The program's main window: the banner, the tab control with the "  File  " and
// "Password " tabs, and the About, Help and Exit buttons below it.
//
// Constructing it is the load step of start-up: the encryption engine is created and its
// progress bound to the File tab's bar; the password control `VTPass` is loaded and the
// Password tab shows what the registry holds. A failure to create the engine or the control
// propagates as an exception, so that start-up can end with an error before any window is
// shown.
//
// File runs work on a worker thread owned by the window; the engine's progress reaches the bar
// through queued calls. Closing the window during a run waits for its end; during a run of
// several files it first asks whether to stop after the current file (so does Esc).
class frmMain : public QWidget {
    Q_OBJECT

public:
    explicit frmMain(QWidget *parent = nullptr);
    ~frmMain() override;

    // The engine the window drives (tests lower its work factor).
    EncDec &engine() const { return *m_engine; }
    // The engine's result of the most recent encrypt or decrypt call.
    VBool lastResult() const;
    FileTab *fileTab() const { return m_fileTab; }
    PasswordTab *passwordTab() const { return m_passwordTab; }
    WindowPasswordControl &passwordControl() const { return *m_passwordControl; }

    // The initialisation step: a stored application password is asked for. False when the
    // entry was wrong and the program has been told to end.
    bool passwordCheckPassed();

    // Shows the window centred on its screen with the "  File  " tab in front and the focus in
    // the encrypt frame's file box.
    void showCentred();

    // The help file handed to the help viewer, by its bare name.
    static constexpr const char *helpFile = "EMBERCOFFERUSER'SGUIDE.CHM";

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void connectEngineProgress();
    void askToStopRun();
    VTButton *addBottomButton(VTButton *button, const char *name, const QString &caption,
                              const QRect &geometry);
    void showHelp();

    EncDec *m_engine;
    WorkerThread *m_worker;
    std::unique_ptr<FileRunner> m_runner;
    std::unique_ptr<StoredPassword> m_storedPassword;
    std::unique_ptr<WindowPasswordControl> m_passwordControl;
    QTabWidget *m_tabs;
    FileTab *m_fileTab;
    PasswordTab *m_passwordTab;
    // A close asked for while a run worked: the window closes when the run has ended.
    bool m_closeAfterRun = false;
};
