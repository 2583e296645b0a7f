#include "app/RunProgressBar.h"

RunProgressBar::RunProgressBar(QWidget *parent) : QProgressBar(parent)
{
    setRange(0, 100);
    setValue(0);
    setTextVisible(false);
    // Read as "Progress", with the value and the file in hand as its value and text.
    setAccessibleName(QStringLiteral("Progress"));
}

void RunProgressBar::setLabel(const QString &label)
{
    m_label = label;
    setTextVisible(!label.isEmpty());
    update();
}
