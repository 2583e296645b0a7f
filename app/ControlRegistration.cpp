#include "app/ControlRegistration.h"

#include "app/AppLogging.h"
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
    if (!registered.isEmpty() && registered == controlLibraryPath())
        return;
    if (const HRESULT hr = DllRegisterServer(); FAILED(hr))
        qCWarning(lcApp,
                  "The password control could not be registered in the "
                  "settings store (0x%08X); other programs will not find it.",
                  static_cast<unsigned>(hr));
}
