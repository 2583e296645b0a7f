#include "password/dialogs/FormControls.h"

#include <QMetaProperty>
#include <QWidget>

QWidget *formControl(const QWidget &form, const QString &name, int index)
{
    for (QWidget *control : form.findChildren<QWidget *>(name)) {
        const QVariant controlIndex = control->property("index");
        if (index < 0 ? !controlIndex.isValid()
                      : controlIndex.isValid() && controlIndex.toInt() == index)
            return control;
    }
    return nullptr;
}

bool setFormCaption(QWidget &form, const QString &name, int index, const QString &caption)
{
    QWidget *control = formControl(form, name, index);
    if (!control)
        return false;
    const QMetaObject *type = control->metaObject();
    const int property = type->indexOfProperty("Caption");
    return property >= 0 && type->property(property).write(control, caption);
}
