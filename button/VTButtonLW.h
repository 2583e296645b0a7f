#pragma once
#include "button/VTButton.h"
#include "button/VantrelButtonExport.h"

// The lightweight look of VTButton: a plain face with a thin outline instead of a raised
// bevel. In the active style the outline appears only while the button is pointed at.
class VANTRELBUTTON_EXPORT VTButtonLW : public VTButton {
    Q_OBJECT

public:
    using VTButton::VTButton;

protected:
    void paintFace(QPainter &painter, const QStyleOptionButton &option) const override;
};
