// Not a test: opens the control's About box through the control itself, on the current
// display (Xvfb), and saves what the display shows of it.
#include "password/AboutBox.h"
#include "password/IVTPassword.h"
#include "password/VTPasswordIds.h"
#include "password/VantrelPasswordExports.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ComPtr.h"

#include <QApplication>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <cstdio>

namespace {

// Saves the box once it is open and the display has drawn it, then closes it. The box
// handles pending events while it loads, so the check repeats until the box is on screen.
void saveWhenOpen(const QString &path, bool &saved)
{
    auto *poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, path, &saved] {
        AboutBox *box = AboutBox::shared();
        if (!box || !box->isVisible() || !QTest::qWaitForWindowExposed(box))
            return;
        poll->stop();
        poll->deleteLater();
        QTest::qWait(300); // let the display server draw the window before it is read back
        const QPixmap shot = box->screen()->grabWindow(box->winId());
        saved = !shot.isNull() && shot.save(path);
        std::printf("%s\n", qPrintable(path));
        box->accept();
    });
    poll->start(50);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT.png\n", argv[0]);
        return 2;
    }
    ComPtr<IClassFactory> factory;
    ComPtr<IVTPassword> control;
    if (DllGetClassObject(VTPasswordIds::control, IClassFactory::iid, factory.put()) != S_OK ||
        factory->CreateInstance(nullptr, IVTPassword::iid, control.put()) != S_OK)
        return 1;
    bool saved = false;
    saveWhenOpen(QString::fromLocal8Bit(argv[1]), saved);
    control->About();
    if (!saved)
        std::fprintf(stderr, "could not save %s\n", argv[1]);
    return saved ? 0 : 1;
}
