// Not a test: shows the real window on the current display (Xvfb under scripts/screenshot)
// and saves what the display shows of the File tab, the Password tab and the About window,
// then the start-up password prompt and the Password tab with a stored password, the File
// tab holding several files, and the message a run without a key gives.
#include "app/CipherFrame.h"
#include "app/FileTab.h"
#include "app/frmAbout.h"
#include "app/frmMain.h"
#include "globals/utilities/ApplicationFont.h"
#include "tests/apppassword/PasswordScreenshots.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>

namespace {
bool saveWindow(QWidget *window, const QString &path)
{
    QTest::qWait(300); // let the display server draw the window before it is read back
    const QPixmap shot = window->screen()->grabWindow(window->winId());
    if (shot.isNull() || !shot.save(path)) {
        std::fprintf(stderr, "could not save %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s\n", qPrintable(path));
    return true;
}
} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    useProportionalApplicationFont(); // as the program does
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    frmMain window;
    window.showCentred();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    auto *tabs = window.findChild<QTabWidget *>("SSTab1");
    bool saved = saveWindow(&window, folder.filePath("file-tab.png"));
    tabs->setCurrentIndex(1);
    saved = saveWindow(&window, folder.filePath("password-tab.png")) && saved;
    tabs->setCurrentIndex(0);
    frmAbout *about = frmAbout::showShared();
    if (!QTest::qWaitForWindowExposed(about))
        return 1;
    saved = saveWindow(about, folder.filePath("about.png")) && saved;
    saved = savePasswordScreenshots(folder, saveWindow) && saved;

    // Three photos given together: the file box sums them up.
    QTemporaryDir photos;
    QStringList paths;
    for (const char *name : {"IMG_0001.jpg", "IMG_0002.jpg", "IMG_0003.jpg"}) {
        QFile photo(photos.filePath(name));
        if (!photo.open(QIODevice::WriteOnly) || !photo.resize(1'200'000))
            return 1;
        paths << photo.fileName();
    }
    about->close();
    window.raise();
    window.fileTab()->encryptFrame()->setPaths(paths);
    saved = saveWindow(&window, folder.filePath("file-tab-several.png")) && saved;

    // Encrypt without a key: the message box, drawn in the application's default font.
    bool savedMessage = false;
    QTimer::singleShot(0, [&] {
        QWidget *message = QApplication::activeModalWidget();
        if (!message)
            return;
        savedMessage = saveWindow(message, folder.filePath("message-box.png"));
        QTest::keyClick(message, Qt::Key_Return);
    });
    window.findChild<QWidget *>("cmdEnc")->setFocus();
    QTest::keyClick(window.findChild<QWidget *>("cmdEnc"), Qt::Key_Space);
    return saved && savedMessage ? 0 : 1;
}
