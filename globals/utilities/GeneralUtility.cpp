#include "globals/utilities/GeneralUtility.h"

#include <cmath>
#include <dlfcn.h>

#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

#include "platform/ui/Shell.h"

GeneralUtility &GeneralUtility::forThisThread()
{
    thread_local GeneralUtility utility;
    return utility;
}

bool GeneralUtility::openAddress(const QString &address) const
{
    return platform::shellExecute(address);
}

QString GeneralUtility::libraryDirectory() const
{
    // Any address inside this library names the file it was loaded from.
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void *>(&GeneralUtility::forThisThread), &info) == 0 ||
        !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).canonicalPath();
}

double GeneralUtility::colourCount() const
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return 0.0;
    return std::pow(2.0, screen->depth());
}
