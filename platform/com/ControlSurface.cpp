#include "platform/com/ControlSurface.h"

#include "platform/com/ComLogging.h"

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
    if (const HRESULT hr = m_control->Draw(painter); FAILED(hr))
        qCWarning(lcCom, "A control failed to draw itself (0x%08X).", static_cast<unsigned>(hr));
}
