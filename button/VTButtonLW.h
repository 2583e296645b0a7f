#pragma once
#include "VTButton.h"

// The lightweight look of VTButton: a plain face with a thin outline instead of a raised
// bevel. In the active style the outline appears only while the button is pointed at.
class VTButtonLW : public VTButton
{
    Q_OBJECT

public:
    using VTButton::VTButton;

protected:
    void paintFace(QPainter &painter, const QStyleOptionButton &option) const override;
};
