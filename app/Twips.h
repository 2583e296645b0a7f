#pragma once
#include <QPoint>
#include <QRect>

// Form layouts are given in twips; 15 twips make one device-independent pixel.
inline constexpr int twipsPerPixel = 15;

inline constexpr int fromTwips(int twips)
{
    return twips / twipsPerPixel;
}

inline QRect twipsRect(int left, int top, int width, int height)
{
    return QRect(fromTwips(left), fromTwips(top), fromTwips(width), fromTwips(height));
}

inline QPoint twipsPoint(int left, int top)
{
    return QPoint(fromTwips(left), fromTwips(top));
}
