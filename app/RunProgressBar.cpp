#include "app/RunProgressBar.h"

RunProgressBar::RunProgressBar(QWidget *parent) : QProgressBar(parent)
{
    setRange(0, 100);
    setValue(0);
    setTextVisible(false);
}

void RunProgressBar::setLabel(const QString &label)
{
    m_label = label;
    setTextVisible(!label.isEmpty());
    update();
}
