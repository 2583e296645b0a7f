#include "app/FileTab.h"

#include "app/CipherFrame.h"
#include "app/FileDirection.h"
#include "app/FormParts.h"
#include "platform/core/Twips.h"

#include <QCoreApplication>
#include <QLabel>
#include <QProgressBar>

FileTab::FileTab(QTabWidget *tabs, FileRunner &runner) : TabPage(tabs, "FileTab")
{
    place(addPicture(this, "Picture1", ":/embercoffer/file-tab.png", "A file under a padlock"),
          twipsRect(120, 480, 480, 480));
    place(addHeading(this, "Label3_2", " Encrypt File and Decrypt File using the options below."),
          twipsRect(660, 600, 5835, 255));

    m_progress = new QProgressBar(this);
    m_progress->setObjectName("prgFile");
    m_progress->setRange(0, 100);
    m_progress->setValue(0);
    m_progress->setTextVisible(false);

    m_encrypt = new CipherFrame(encryptDirection(), runner, *m_progress, this);
    m_decrypt = new CipherFrame(decryptDirection(), runner, *m_progress, this);
    place(m_encrypt, twipsRect(120, encryptDirection().frameTop, 6375, 1935));
    place(m_decrypt, twipsRect(120, decryptDirection().frameTop, 6375, 1935));
    place(m_progress, twipsRect(90, 5160, 6435, 255));
}

void FileTab::showProgress(qint16 percent)
{
    m_progress->setValue(qBound<int>(0, percent, 100));
    // The engine runs on this thread: let the window repaint (exposed, uncovered, restored)
    // while it works. User input waits until the run is over.
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
