#include "password/PathInDirectory.h"

#include <QDir>

QString pathInDirectory(const QString &directory, const QString &fileName)
{
    if (directory.isEmpty())
        return {};
    return QDir::toNativeSeparators(QDir(directory).filePath(fileName));
}
