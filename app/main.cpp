#include "MessageBox.h"
#include "frmMain.h"

#include <QApplication>
#include <cstdio>
#include <exception>
#include <memory>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("EmberCoffer");
    QApplication::setApplicationVersion(EMBERCOFFER_VERSION);

    // Load step: the window and its controls are built, the engine is created and bound.
    std::unique_ptr<frmMain> window;
    try {
        window = std::make_unique<frmMain>();
    } catch (const std::exception &failure) {
        const QString text =
            QString("Ember Coffer cannot start: its encryption engine could not be created (%1).")
                .arg(QString::fromLocal8Bit(failure.what()));
        std::fprintf(stderr, "%s\n", qPrintable(text));
        platform::showMessageBox(nullptr, text, "Ember Coffer", platform::MessageIcon::Exclamation);
        return 1;
    }
    window->showCentred();
    return app.exec();
}
