#include "tests/support/AccessibleNames.h"

#include <QAccessible>
#include <QLabel>
#include <QWidget>

QString accessibleName(QWidget *control)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(control);
    return face ? face->text(QAccessible::Name) : QString();
}

QStringList unnamedControls(QWidget &window)
{
    QStringList unnamed;
    for (QWidget *control : window.findChildren<QWidget *>()) {
        const auto *label = qobject_cast<QLabel *>(control);
        const bool picture = label && !label->pixmap().isNull();
        const bool focusable = (control->focusPolicy() & Qt::TabFocus) == Qt::TabFocus;
        if ((picture || focusable) && accessibleName(control).trimmed().isEmpty())
            unnamed << control->objectName();
    }
    return unnamed;
}
