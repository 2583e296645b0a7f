#include "app/ControlRegistration.h"

#include "password/VTPasswordIds.h"
#include "password/VantrelPasswordExports.h"
#include "platform/com/ClassObjects.h"

#include <QFileInfo>

#include <dlfcn.h>

namespace {

// The control library's file as it registers itself: the absolute path it was loaded from.
QString controlLibraryPath()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void *>(&DllRegisterServer), &info) || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

} // namespace

void registerPasswordControl()
{
    const QString registered = QString::fromStdString(registeredLibrary(VTPasswordIds::control));
    if (registered.isEmpty() || registered != controlLibraryPath())
        DllRegisterServer();
}
