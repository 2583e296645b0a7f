#include "password/SystemInfoLauncher.h"

#include "password/AboutLoadSteps.h"
#include "password/PathInDirectory.h"
#include "password/RegistryKeyValue.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/Shell.h"

QString systemInformationToolPath()
{
    QString path;
    if (GetKeyValue(HKEY_LOCAL_MACHINE, QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO"),
                    QStringLiteral("PATH"), path))
        return path;

    QString folder;
    if (!GetKeyValue(HKEY_LOCAL_MACHINE,
                     QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location"),
                     QStringLiteral("MSINFO"), folder))
        return {};
    path = pathInDirectory(folder, QStringLiteral("MSINFO32.EXE"));
    return !path.isEmpty() && platform::fileExists(path) ? path : QString();
}

void StartSysInfo(QWidget *owner)
{
    // An empty path names no program, so it is not handed to the shell at all.
    const QString path = systemInformationToolPath();
    if (!path.isEmpty() && platform::startProgram(path))
        return;
    platform::showMessageBox(owner,
                             QStringLiteral("System Information Is Unavailable At This Time"),
                             QString::fromLatin1(libraryTitle), platform::MessageIcon::None);
}
