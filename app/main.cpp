#include "app/CommandLine.h"
#include "app/ControlRegistration.h"
#include "app/Startup.h"
#include "app/frmMain.h"
#include "globals/ProductVersion.h"

#include <QApplication>

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName("EmberCoffer");
    QApplication::setApplicationVersion(EMBERCOFFER_VERSION);
    // Lets a Wayland compositor match the window to its desktop entry and icon.
    QGuiApplication::setDesktopFileName("example.corvantide.EmberCoffer");
    const CommandLine commandLine = readCommandLine(QApplication::arguments());

    registerPasswordControl();

    const std::unique_ptr<frmMain> window = startUp(commandLine.paths, commandLine.frame);
    if (!window)
        return 1;
    return app.exec();
}
