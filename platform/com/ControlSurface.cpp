#include "platform/com/ControlSurface.h"

#include <QPainter>

ControlSurface::ControlSurface(IEmbeddedControl *control, QWidget *form)
    : QWidget(form), m_control(control)
{
}

void ControlSurface::paintEvent(QPaintEvent *)
{
    if (!m_control)
        return;
    QPainter painter(this);
    m_lastPaint = m_control->Draw(painter);
}
