#include "globals/utilities/SoundUtility.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace {

QString findPlayer()
{
    for (const char *candidate : {"paplay", "aplay"}) {
        const QString path = QStandardPaths::findExecutable(QString::fromLatin1(candidate));
        if (!path.isEmpty())
            return path;
    }
    return {};
}

} // namespace

SoundUtility &SoundUtility::forThisThread()
{
    thread_local SoundUtility utility;
    return utility;
}

bool SoundUtility::play(const QString &path) const
{
    if (!QFileInfo(path).isFile())
        return false;
    const QString player = findPlayer();
    if (player.isEmpty())
        return false;
    QProcess process;
    process.setProgram(player);
    process.setArguments({path});
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    return process.startDetached();
}
