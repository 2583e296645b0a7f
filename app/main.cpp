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

    registerPasswordControl();

    const std::unique_ptr<frmMain> window = startUp(QApplication::arguments().mid(1));
    if (!window)
        return 1;
    return app.exec();
}
