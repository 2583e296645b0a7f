#include "app/AboutVersion.h"

#include <QStringList>

QString aboutVersionText(const QString &programVersion)
{
    QStringList parts = programVersion.split(QLatin1Char('.'));
    while (parts.size() < 3)
        parts << QStringLiteral("0");
    for (QString &part : parts) {
        if (part.isEmpty())
            part = QStringLiteral("0");
    }
    return QStringLiteral("Version ") + parts.mid(0, 3).join(QLatin1Char('.'));
}
