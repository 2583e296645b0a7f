#include "app/SpecialFile.h"

#include <QFile>
#include <sys/stat.h>

QString specialFileProblem(const QString &path)
{
    struct stat status {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0 || S_ISREG(status.st_mode) ||
        S_ISDIR(status.st_mode))
        return {};
    return QStringLiteral("%1 is not a regular file. Ember Coffer does not read pipes, sockets "
                          "or devices.")
        .arg(path);
}
