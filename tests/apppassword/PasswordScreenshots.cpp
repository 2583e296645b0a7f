#include "tests/apppassword/PasswordScreenshots.h"

#include "app/Startup.h"
#include "app/StoredPassword.h"
#include "app/frmMain.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

const char *const shownPassword = "Lantern 42";
const char *const storeVariable = "EMBERCOFFER_REGISTRY";

// Types the password into the prompt once it is open, saves it and confirms it.
void answerPrompt(const QDir &folder, const SaveWindow &saveWindow, bool &saved)
{
    QTimer::singleShot(0, [&folder, &saveWindow, &saved] {
        auto *prompt = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!prompt)
            return;
        QTest::keyClicks(prompt->findChild<QLineEdit *>("txtPassword"), shownPassword);
        saved = saveWindow(prompt, folder.filePath("startup-password-prompt.png"));
        prompt->findChild<QPushButton *>("cmdOK")->click();
    });
}

bool saveWithStoredPassword(const QDir &folder, const SaveWindow &saveWindow)
{
    if (StoredPassword().save(shownPassword) != 0)
        return false;
    bool saved = false;
    answerPrompt(folder, saveWindow, saved);
    const std::unique_ptr<frmMain> window = startUp();
    if (!window || !QTest::qWaitForWindowExposed(window.get()))
        return false;
    window->findChild<QTabWidget *>("SSTab1")->setCurrentIndex(1);
    return saveWindow(window.get(), folder.filePath("password-tab-stored.png")) && saved;
}

} // namespace

bool savePasswordScreenshots(const QDir &folder, const SaveWindow &saveWindow)
{
    QTemporaryDir registry;
    if (!registry.isValid())
        return false;
    const QByteArray previous = qgetenv(storeVariable);
    qputenv(storeVariable, registry.filePath("registry.db").toLocal8Bit());
    const bool saved = saveWithStoredPassword(folder, saveWindow);
    qputenv(storeVariable, previous);
    return saved;
}
