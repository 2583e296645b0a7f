#include "button/VTButtonLW.h"

#include <QPainter>
#include <QStyleOptionButton>

void VTButtonLW::paintFace(QPainter &painter, const QStyleOptionButton &option) const
{
    const ButtonState state = currentState();
    if (buttonStyle() == ActiveStyle && state == ButtonState::Rest)
        return;

    const QPalette &colours = option.palette;
    QColor fill = colours.color(QPalette::Button);
    if (state == ButtonState::Down)
        fill = fill.darker(115);
    else if (state == ButtonState::Hover)
        fill = fill.lighter(108);
    const QColor outline = state == ButtonState::Rest ? colours.color(QPalette::Mid)
                                                      : colours.color(QPalette::Highlight);
    painter.save();
    painter.setPen(isEnabled() ? outline : colours.color(QPalette::Disabled, QPalette::Mid));
    painter.setBrush(fill);
    painter.drawRect(option.rect.adjusted(0, 0, -1, -1));
    painter.restore();
}
