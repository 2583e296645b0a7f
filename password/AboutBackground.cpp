#include "password/AboutBackground.h"

#include <QPainter>

namespace {

int midway(int upper, int lower) { return (upper + lower) / 2; }

void fillBetween(QPainter &painter, QPoint corner, QPoint opposite, const QColor &colour)
{
    painter.fillRect(QRect(corner, opposite).normalized(), colour);
}

// A horizontal line from `fromX` up to, not including, `toX`.
void lineAcross(QPainter &painter, int fromX, int toX, int y, const QColor &colour)
{
    if (toX > fromX)
        painter.fillRect(QRect(fromX, y, toX - fromX, 1), colour);
}

} // namespace

int bandBottom(const AboutBackgroundLayout &layout)
{
    return midway(layout.componentKind.y() + layout.componentKind.height(), layout.version.y());
}

int separatorHeight(const AboutBackgroundLayout &layout)
{
    return midway(layout.description.y() + layout.description.height(), layout.disclaimer.y());
}

void paintAboutBackground(QPainter &painter, const AboutBackgroundLayout &layout,
                          const EdgeColours &colours)
{
    const int u = bandBottom(layout);
    const int v = separatorHeight(layout);
    const int width = layout.client.width();
    const QRect &i = layout.picture256;
    const int shadowLeft = i.x() + 4;
    const int shadowRight = i.x() + i.width() + 3;

    fillBetween(painter, {0, 0}, {width, u}, Qt::white);
    fillBetween(painter, {shadowLeft, i.y() + 4}, {shadowRight, u}, colours.face);
    fillBetween(painter, {shadowLeft, u}, {shadowRight, i.y() + i.height() + 3}, colours.shadow);

    // The band's etched lower edge, reversed where it crosses the shadow.
    lineAcross(painter, 0, width, u, colours.face);
    lineAcross(painter, 0, width, u + 1, colours.highlight);
    const int crossingLeft = layout.picture.x() + i.width() - 1;
    lineAcross(painter, crossingLeft, i.x() + i.width() + 4, u, colours.shadow);
    lineAcross(painter, crossingLeft, i.x() + i.width() + 4, u + 1, colours.face);

    // The separator between the description and the disclaimer.
    const int separatorEnd = layout.okButton.x() + layout.okButton.width();
    lineAcross(painter, layout.version.x(), separatorEnd, v, colours.shadow);
    lineAcross(painter, layout.version.x(), separatorEnd, v + 1, colours.highlight);
}
