#pragma once
#include <QPoint>
#include <QRect>
#include <QSize>

#include <cmath>

// Form layouts are given in twips, 1/1440 inch. At the 96 dots per inch that Qt's
// device-independent pixels stand for, 15 twips make one pixel; a display with another
// resolution has 1440 / dpi twips to a pixel (12 at 120 dpi).
inline constexpr int twipsPerPixel = 15;

// Rounds to the nearest pixel at 96 dots per inch (halves away from zero).
inline constexpr int fromTwips(int twips)
{
    const int half = twipsPerPixel / 2;
    return twips >= 0 ? (twips + half) / twipsPerPixel : -((half - twips) / twipsPerPixel);
}

inline QPoint twipsPoint(int left, int top) { return {fromTwips(left), fromTwips(top)}; }

inline QSize twipsSize(int width, int height) { return {fromTwips(width), fromTwips(height)}; }

inline QRect twipsRect(int left, int top, int width, int height)
{
    return {twipsPoint(left, top), twipsSize(width, height)};
}

inline QPoint fromTwips(QPoint twips) { return twipsPoint(twips.x(), twips.y()); }

inline QSize fromTwips(QSize twips) { return twipsSize(twips.width(), twips.height()); }

inline QRect fromTwips(QRect twips)
{
    return {fromTwips(twips.topLeft()), fromTwips(twips.size())};
}

// Conversions at a display's own resolution, as a control container measures extents.
inline int pixelsToTwips(int pixels, int dotsPerInch)
{
    return dotsPerInch > 0 ? int(std::lround(pixels * 1440.0 / dotsPerInch)) : 0;
}

inline int twipsToPixels(int twips, int dotsPerInch)
{
    return int(std::lround(twips * double(dotsPerInch) / 1440.0));
}
