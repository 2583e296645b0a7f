#include "app/FileTab.h"

#include "app/CipherFrame.h"
#include "app/FileDirection.h"
#include "app/FormParts.h"
#include "app/RunProgressBar.h"
#include "platform/core/Twips.h"

#include <QApplication>
#include <QLabel>

FileTab::FileTab(QTabWidget *tabs, FileRunner &runner, WorkerThread &worker)
    : TabPage(tabs, "FileTab")
{
    place(addPicture(this, "Picture1", ":/embercoffer/file-tab.png", "A file under a padlock"),
          twipsRect(120, 480, 480, 480));
    place(addHeading(this, "Label3_2", " Encrypt File and Decrypt File using the options below."),
          twipsRect(660, 600, 5835, 255));

    m_progress = new RunProgressBar(this);
    m_progress->setObjectName("prgFile");

    m_encrypt = new CipherFrame(encryptDirection(), runner, worker, *this);
    m_decrypt = new CipherFrame(decryptDirection(), runner, worker, *this);
    place(m_encrypt, twipsRect(120, encryptDirection().frameTop, 6375, 1935));
    place(m_decrypt, twipsRect(120, decryptDirection().frameTop, 6375, 1935));
    place(m_progress, twipsRect(90, 5160, 6435, 255));
}

void FileTab::showProgress(qint16 percent) { m_progress->setValue(qBound<int>(0, percent, 100)); }

void FileTab::showWorkingOn(const QString &label) { m_progress->setLabel(label); }

void FileTab::showChecking() { showWorkingOn(m_checkLabel); }

void FileTab::beginRun(const QString &label, const QString &checkLabel, std::function<void()> stop)
{
    m_running = true;
    m_checkLabel = checkLabel;
    m_stop = std::move(stop);
    m_focusBefore = QApplication::focusWidget();
    m_encrypt->setEnabled(false);
    m_decrypt->setEnabled(false);
    window()->setCursor(Qt::BusyCursor);
    showWorkingOn(label);
}

void FileTab::endRun()
{
    m_running = false;
    m_stop = nullptr;
    m_progress->setLabel({});
    m_encrypt->setEnabled(true);
    m_decrypt->setEnabled(true);
    if (m_focusBefore && m_focusBefore->isEnabled())
        m_focusBefore->setFocus();
    window()->unsetCursor();
    emit runEnded();
}

void FileTab::stopAfterCurrentFile()
{
    if (m_stop)
        m_stop();
}
