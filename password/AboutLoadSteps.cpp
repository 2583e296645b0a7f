#include "password/AboutLoadSteps.h"

#include <QStringList>

#include "password/PathInDirectory.h"

SidePicture sidePictureFor(double colourCount)
{
    return colourCount > 256 ? SidePicture::TwoHundredFiftySixColours : SidePicture::SixteenColours;
}

QString versionLine(const QString &fileVersion)
{
    const QStringList parts = fileVersion.split(QLatin1Char('.'));
    const auto number = [&parts](qsizetype index) {
        return index < parts.size() ? parts[index].toUInt() : 0u;
    };
    return QStringLiteral("Version %1.%2.%3").arg(number(0)).arg(number(1)).arg(number(3));
}

QString clickSoundPath(const QString &directory)
{
    return pathInDirectory(directory, QStringLiteral("VantrelClickz.wav"));
}
