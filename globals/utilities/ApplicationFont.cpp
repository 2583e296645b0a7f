#include "globals/utilities/ApplicationFont.h"

#include "globals/utilities/WidgetsLogging.h"

#include <QApplication>
#include <QFontInfo>

std::optional<QFont> proportionalStandIn(const QFont &font)
{
    if (!QFontInfo(font).fixedPitch())
        return std::nullopt;
    QFont standIn = font;
    standIn.setFamilies({"Liberation Sans", "DejaVu Sans", "Noto Sans", "Nimbus Sans", "Arimo"});
    standIn.setStyleHint(QFont::SansSerif);
    if (QFontInfo(standIn).fixedPitch())
        return std::nullopt;
    return standIn;
}

void useProportionalApplicationFont()
{
    const QFont current = QApplication::font();
    const std::optional<QFont> standIn = proportionalStandIn(current);
    if (!standIn) {
        if (QFontInfo(current).fixedPitch())
            qCWarning(lcWidgets,
                      "The default font %s is fixed-pitch and no proportional "
                      "sans-serif font is installed.",
                      qUtf8Printable(QFontInfo(current).family()));
        return;
    }
    qCInfo(lcWidgets, "The default font %s is fixed-pitch; drawing with %s instead.",
           qUtf8Printable(QFontInfo(current).family()),
           qUtf8Printable(QFontInfo(*standIn).family()));
    QApplication::setFont(*standIn);
}
