// A damaged registry store at start-up: no password can be asked for, so the window is shown,
// and the store file is left exactly as it was.
#include "app/Startup.h"
#include "app/frmMain.h"
#include "platform/ui/MessageBox.h"
#include "tests/TestPaths.h"
#include "tests/hardening/HardeningSupport.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using namespace hardening;

TEST(DamagedStoreAtStartUp, WindowIsShownWithoutAPromptAndTheStoreIsUntouched)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QByteArray garbledHeader =
        randomBytes(100, 1) + readFile(EC_HARDENING_DATA "/store-rewritten-on-close.db").mid(100);
    const QList<QByteArray> damaged{garbledHeader,
                                    readFile(EC_HARDENING_DATA "/store-rewritten-on-close.db"),
                                    randomBytes(30000, 2)};
    platform::setMessageBoxHandler([](const platform::MessageBoxCall &) {});
    for (const QByteArray &bytes : damaged) {
        const QString store = folder.filePath("registry.db");
        writeFile(store, bytes);
        qputenv("EMBERCOFFER_REGISTRY", QFile::encodeName(store));
        // Any modal prompt would block start-up: close it at once and remember it.
        bool prompted = false;
        QTimer closer;
        QObject::connect(&closer, &QTimer::timeout, [&] {
            if (QWidget *modal = QApplication::activeModalWidget()) {
                prompted = true;
                modal->close();
            }
        });
        closer.start(0);
        const std::unique_ptr<frmMain> window = startUp();
        closer.stop();
        ASSERT_NE(window, nullptr);
        EXPECT_TRUE(window->isVisible());
        EXPECT_FALSE(prompted);
        EXPECT_TRUE(readFile(store) == bytes) << "the damaged store was changed";
        QFile::remove(store);
    }
    platform::setMessageBoxHandler({});
    qunsetenv("EMBERCOFFER_REGISTRY");
}
