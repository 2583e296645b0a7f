#pragma once

#include <QString>

class QWidget;

// Reaching a form's controls by name, as a caller that knows only the form's design does.

// The control named `name`; for a control array (`index` >= 0) the element with that index.
// Null when the form has no such control.
QWidget *formControl(const QWidget &form, const QString &name, int index = -1);

// Sets the `Caption` of the named control; false when there is no such control or it has
// no caption.
bool setFormCaption(QWidget &form, const QString &name, int index, const QString &caption);
