#include "password/dialogs/DialogLabel.h"

DialogLabel::DialogLabel(QWidget *parent) : QLabel(parent)
{
    setWordWrap(false);
    setTextFormat(Qt::PlainText);
}

void DialogLabel::setCaption(const QString &caption)
{
    setText(caption);
    adjustSize();
}
