#pragma once
#include "platform/com/ComPtr.h"
#include "platform/com/EmbeddedControl.h"

#include <QWidget>

// The widget in which a hosted control draws itself on the form.
class ControlSurface final : public QWidget {
    Q_OBJECT
public:
    ControlSurface(IEmbeddedControl *control, QWidget *form);

    // Stops painting: the control is going away.
    void detach() { m_control.reset(); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    ComPtr<IEmbeddedControl> m_control;
};
