#include "app/DroppedFile.h"

#include <QDir>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>

std::optional<QString> droppedFilePath(const QMimeData *data)
{
    if (!data || !data->hasUrls() || data->urls().isEmpty())
        return std::nullopt;
    const QUrl url = data->urls().constFirst();
    if (!url.isLocalFile())
        return std::nullopt;
    const QString path = QDir::toNativeSeparators(url.toLocalFile());
    if (QFileInfo(path).isDir())
        return std::nullopt;
    return path;
}
