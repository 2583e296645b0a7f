#pragma once
#include <QColor>
#include <QRect>
#include <QSize>

class QPainter;

// The About box's background: a white title band, a drop shadow behind the side picture and
// two etched separator lines, placed from where the box's controls are.

// The places the background depends on, in client pixels.
struct AboutBackgroundLayout {
    QSize client;
    QRect picture;       // the 16-colour side picture
    QRect picture256;    // the 256-colour side picture
    QRect componentKind; // the "ActiveX Component" line
    QRect version;       // the version line
    QRect description;
    QRect disclaimer;
    QRect okButton;
};

// The system colours of three-dimensional edges.
struct EdgeColours {
    QColor face;
    QColor shadow;
    QColor highlight;
};

// U: the band's lower edge, midway between the component-kind line's bottom and the version
// line's top.
int bandBottom(const AboutBackgroundLayout &layout);

// V: the lower separator's height, midway between the description's bottom and the
// disclaimer's top.
int separatorHeight(const AboutBackgroundLayout &layout);

// Paints the band, the shadow and the etched lines. Filled areas include both corners they
// are given by; lines run from their first point up to, not including, their last.
void paintAboutBackground(QPainter &painter, const AboutBackgroundLayout &layout,
                          const EdgeColours &colours);
