#include "platform/ui/AccessibleName.h"

#include <QLabel>

namespace platform {

QString accessibleNameFrom(const QString &visibleText)
{
    QString name;
    name.reserve(visibleText.size());
    for (qsizetype i = 0; i < visibleText.size(); ++i) {
        // A mark is dropped; the character it marks (a second '&' included) is kept.
        if (visibleText[i] == u'&' && i + 1 < visibleText.size())
            ++i;
        name += visibleText[i];
    }
    name = name.trimmed();
    for (const QString &punctuation :
         {QStringLiteral(":"), QStringLiteral("..."), QStringLiteral("\u2026")}) {
        if (name.endsWith(punctuation)) {
            name.chop(punctuation.size());
            break;
        }
    }
    return name.trimmed();
}

void labelControl(QLabel &label, QWidget &control)
{
    label.setBuddy(&control);
    control.setAccessibleName(accessibleNameFrom(label.text()));
}

} // namespace platform
