#include "password/dialogs/DialogLabel.h"

#include "platform/ui/AccessibleName.h"

DialogLabel::DialogLabel(QWidget *parent) : QLabel(parent)
{
    setWordWrap(false);
    setTextFormat(Qt::PlainText);
}

void DialogLabel::setCaption(const QString &caption)
{
    setText(caption);
    adjustSize();
    if (buddy())
        platform::labelControl(*this, *buddy());
}
