#include "app/CommandLine.h"
#include "app/ControlRegistration.h"
#include "app/Startup.h"
#include "app/frmMain.h"
#include "globals/ProductVersion.h"
#include "globals/utilities/ApplicationFont.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QCoreApplication::setApplicationName("EmberCoffer");
    QCoreApplication::setApplicationVersion(EMBERCOFFER_VERSION);
    QStringList given;
    for (int i = 0; i < argc; ++i)
        given << QString::fromLocal8Bit(argv[i]);
    if (asksForTerminalAnswer(given)) {
        // --help and --version answer on the terminal and end, without needing a display.
        const QCoreApplication terminal(argc, argv);
        readCommandLine(QCoreApplication::arguments());
    }
    QApplication app(argc, argv);
    // Lets a Wayland compositor match the window to its desktop entry and icon.
    QGuiApplication::setDesktopFileName("example.corvantide.EmberCoffer");
    const CommandLine commandLine = readCommandLine(QApplication::arguments());
    useProportionalApplicationFont();

    registerPasswordControl();

    const std::unique_ptr<frmMain> window = startUp(commandLine.paths, commandLine.frame);
    if (!window)
        return 1;
    return app.exec();
}
