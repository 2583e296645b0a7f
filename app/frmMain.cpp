#include "app/frmMain.h"

#include "app/AccessibleRoles.h"
#include "app/CipherFrame.h"
#include "app/FileRun.h"
#include "app/FileTab.h"
#include "app/FormParts.h"
#include "app/PasswordTab.h"
#include "app/StartupPasswordCheck.h"
#include "app/StoredPassword.h"
#include "app/WindowPasswordControl.h"
#include "app/WorkerThread.h"
#include "app/frmAbout.h"
#include "button/VTButton.h"
#include "button/VTButtonLW.h"
#include "globals/ProductVersion.h"
#include "globals/engine/EncDec.h"
#include "globals/utilities/FormFonts.h"
#include "globals/utilities/FormUtility.h"
#include "platform/core/Twips.h"
#include "platform/ui/HtmlHelp.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramExit.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QShortcut>
#include <QTabWidget>

frmMain::frmMain(QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      m_engine(new EncDec(this)), m_worker(new WorkerThread(this)),
      m_runner(std::make_unique<FileRunner>(*m_engine)),
      m_storedPassword(std::make_unique<StoredPassword>()),
      m_passwordControl(std::make_unique<WindowPasswordControl>(this))
{
    registerFormFontSubstitutes();
    installAccessibleRoles();
    setObjectName("frmMain");
    setWindowTitle(EMBERCOFFER_CAPTION);
    setWindowIcon(QIcon(":/embercoffer/program.png"));
    setFont(formFont("MS Sans Serif", 8.25));
    setFixedSize(fromTwips(7545), fromTwips(6225));

    addPicture(this, "Picture3", ":/embercoffer/banner.jpg", "Ember Coffer")
        ->setGeometry(twipsRect(0, 0, 780, 6270));

    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName("SSTab1");
    m_tabs->setAccessibleName("File and Password");
    m_tabs->setGeometry(twipsRect(840, 0, 6675, 5535));
    m_fileTab = new FileTab(m_tabs, *m_runner, *m_worker);
    m_passwordTab = new PasswordTab(m_tabs, *m_storedPassword, *m_passwordControl);
    m_tabs->addTab(m_fileTab, "  File  ");
    m_tabs->addTab(m_passwordTab, "Password ");
    m_tabs->setCurrentIndex(0);

    connectEngineProgress();
    connect(m_fileTab, &FileTab::runEnded, this, [this] {
        if (std::exchange(m_closeAfterRun, false))
            close();
    });
    connect(new QShortcut(Qt::Key_Escape, this), &QShortcut::activated, this,
            &frmMain::askToStopRun);

    VTButton *about =
        addBottomButton(new VTButton(this), "cmdAbout", "&About", twipsRect(3000, 5640, 1335, 375));
    VTButton *help =
        addBottomButton(new VTButtonLW(this), "cmdHelp", "&Help", twipsRect(4440, 5640, 1335, 375));
    VTButton *exit =
        addBottomButton(new VTButtonLW(this), "cmdExit", "E&xit", twipsRect(6000, 5640, 1335, 375));
    connect(about, &QAbstractButton::clicked, this, [] { frmAbout::showShared(); });
    connect(help, &QAbstractButton::clicked, this, &frmMain::showHelp);
    // During a run Exit closes the window as its close button does, so no run is cut short.
    connect(exit, &QAbstractButton::clicked, this, [this] {
        if (m_fileTab->running())
            close();
        else
            platform::endProgram(0);
    });
}

frmMain::~frmMain() = default;

void frmMain::connectEngineProgress()
{
    // Encryption, decryption and the check of a new encrypted file before its plaintext is
    // deleted each run the bar. The engine raises them on the worker thread; the bar is set on
    // the window's thread.
    FileTab *tab = m_fileTab;
    for (auto signal : {&EncDec::FileEncryptionProgress, &EncDec::FileDecryptionProgress})
        connect(
            m_engine, signal, tab,
            [tab](qint16 &progress) {
                QMetaObject::invokeMethod(tab,
                                          [tab, value = progress] { tab->showProgress(value); });
            },
            Qt::DirectConnection);
    connect(
        m_engine, &EncDec::FileVerificationProgress, tab,
        [tab](qint16 &progress) {
            QMetaObject::invokeMethod(tab, [tab, value = progress] {
                tab->showChecking();
                tab->showProgress(value);
            });
        },
        Qt::DirectConnection);
}

void frmMain::askToStopRun()
{
    if (m_fileTab->stoppable() &&
        platform::askYesNo(this, QStringLiteral("Stop after the current file?"),
                           QStringLiteral("Ember Coffer")))
        m_fileTab->stopAfterCurrentFile();
}

void frmMain::closeEvent(QCloseEvent *event)
{
    if (m_fileTab->stoppable()) {
        if (!platform::askYesNo(this,
                                QStringLiteral("Files are being worked on. Stop after the "
                                               "current file and close Ember Coffer?"),
                                QStringLiteral("Ember Coffer"))) {
            event->ignore();
            return;
        }
        m_fileTab->stopAfterCurrentFile();
    }
    // The run may have ended while the question was open.
    if (m_fileTab->running()) {
        event->ignore();
        m_closeAfterRun = true;
        return;
    }
    QWidget::closeEvent(event);
}

VBool frmMain::lastResult() const { return m_runner->lastResult(); }

bool frmMain::passwordCheckPassed()
{
    return ::passwordCheckPassed(*m_storedPassword, *m_passwordControl);
}

VTButton *frmMain::addBottomButton(VTButton *button, const char *name, const QString &caption,
                                   const QRect &geometry)
{
    button->setObjectName(name);
    button->setText(caption);
    button->setFont(formFont("Tahoma", 8.25));
    button->setGeometry(geometry);
    return button;
}

void frmMain::showHelp() { platform::htmlHelp(this, helpFile, 0, 0); }

void frmMain::showCentred()
{
    m_tabs->setCurrentIndex(0);
    // The first keystrokes go into the encrypt frame's file box, first in its focus order.
    m_fileTab->encryptFrame()->fileBox()->setFocus();
    FormUtility::forThisThread().centreOnScreen(*this);
    show();
}
