#pragma once
#include <cmath>

// Twips are 1/1440 inch; a display with `dotsPerInch` pixels per inch has 1440 / dpi twips
// to a pixel (15 at 96 dpi, 12 at 120 dpi).
inline int pixelsToTwips(int pixels, int dotsPerInch)
{
    return dotsPerInch > 0 ? int(std::lround(pixels * 1440.0 / dotsPerInch)) : 0;
}

inline int twipsToPixels(int twips, int dotsPerInch)
{
    return int(std::lround(twips * double(dotsPerInch) / 1440.0));
}
