#include "globals/utilities/FormFonts.h"

#include "globals/utilities/WidgetsLogging.h"

#include <QFont>
#include <QFontInfo>
#include <QGuiApplication>
#include <QStringList>

#include <utility>

void registerFormFontSubstitutes()
{
    const QStringList narrowSans{"Liberation Sans",       "Arimo",      "Nimbus Sans", "Helvetica",
                                 "DejaVu Sans Condensed", "DejaVu Sans"};
    const QStringList serif{"Liberation Serif", "Tinos", "Nimbus Roman", "DejaVu Serif"};
    const std::pair<const char *, const QStringList &> families[] = {
        {"MS Sans Serif", narrowSans},
        {"Tahoma", narrowSans},
        {"Arial", narrowSans},
        {"Times New Roman", serif},
    };
    for (const auto &[family, substitutes] : families) {
        if (!QFont::substitutes(family).isEmpty())
            continue;
        QFont::insertSubstitutions(family, substitutes);
        if (qGuiApp != nullptr)
            qCInfo(lcWidgets, "%s is drawn with %s.", family,
                   qUtf8Printable(QFontInfo(QFont(family)).family()));
    }
}
