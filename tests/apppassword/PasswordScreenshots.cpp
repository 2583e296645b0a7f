// Not a test: runs the real start-up with a stored password on the current display (Xvfb
// under scripts/screenshot) and saves the get-password prompt and the Password tab.
#include "Startup.h"
#include "StoredPassword.h"
#include "frmMain.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdio>

namespace {

const char *const shownPassword = "Lantern 42";

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
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir registry;
    if (!registry.isValid())
        return 1;
    qputenv("EMBERCOFFER_REGISTRY", registry.filePath("registry.db").toLocal8Bit());
    if (StoredPassword().save(shownPassword) != 0)
        return 1;

    bool saved = false;
    QTimer::singleShot(0, [&] {
        auto *prompt = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!prompt)
            return;
        QTest::keyClicks(prompt->findChild<QLineEdit *>("txtPassword"), shownPassword);
        saved = saveWindow(prompt, folder.filePath("startup-password-prompt.png"));
        prompt->findChild<QPushButton *>("cmdOK")->click();
    });
    const std::unique_ptr<frmMain> window = startUp();
    if (!window || !QTest::qWaitForWindowExposed(window.get()))
        return 1;
    window->findChild<QTabWidget *>("SSTab1")->setCurrentIndex(1);
    saved = saveWindow(window.get(), folder.filePath("password-tab-stored.png")) && saved;
    return saved ? 0 : 1;
}
