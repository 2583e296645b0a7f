#include "app/FileSelection.h"

#include <QFileInfo>
#include <QLocale>

namespace {

// About what the file box shows of its width before the names are cut short with "…".
constexpr qsizetype shownLength = 60;

QString counted(qsizetype count, const QString &one, const QString &many)
{
    return count == 1 ? QStringLiteral("1 ") + one
                      : QLocale().toString(count) + QLatin1Char(' ') + many;
}

} // namespace

QString selectionSummary(const QStringList &paths)
{
    qsizetype files = 0, folders = 0;
    qint64 bytes = 0;
    QStringList names;
    for (const QString &path : paths) {
        const QFileInfo info(path);
        if (info.isDir())
            ++folders;
        else {
            ++files;
            bytes += info.size();
        }
        names << info.fileName();
    }
    QStringList counts;
    if (folders > 0)
        counts << counted(folders, QStringLiteral("folder"), QStringLiteral("folders"));
    if (files > 0)
        counts << counted(files, QStringLiteral("file"), QStringLiteral("files"))
               << QLocale().formattedDataSize(bytes, 1, QLocale::DataSizeSIFormat);
    QString summary = counts.join(QStringLiteral(", ")) + QStringLiteral(": ");
    for (qsizetype i = 0; i < names.size(); ++i) {
        if (i > 0 && summary.size() + names[i].size() > shownLength)
            return summary + QStringLiteral("…");
        summary += names[i] + (i + 1 < names.size() ? QStringLiteral(", ") : QString());
    }
    return summary;
}

QString selectionList(const QStringList &paths) { return paths.join(QLatin1Char('\n')); }

bool isSeveralFiles(const QStringList &paths)
{
    return paths.size() > 1 || (paths.size() == 1 && QFileInfo(paths.front()).isDir());
}
