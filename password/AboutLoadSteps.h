#pragma once
#include <QString>

// What the About box works out while it loads, kept apart from the window so that it can be
// checked on its own.

// The library's title, shown in the box's heading, its window title and its messages.
inline constexpr const char *libraryTitle = "VantrelPassword";

// The two side pictures the box can show.
enum class SidePicture { SixteenColours, TwoHundredFiftySixColours };

// The richer picture only for a display with more than 256 colours.
SidePicture sidePictureFor(double colourCount);

// The version line for a four-part file version: "Version " and the major, minor and
// revision numbers (the first, second and fourth parts) in plain decimal, so "3.5.0.47"
// gives "Version 3.5.47". A missing or unreadable part counts as 0.
QString versionLine(const QString &fileVersion);

// The click sound "VantrelClickz.wav" inside `directory`, joined with this platform's
// separator; empty when there is no directory to look in.
QString clickSoundPath(const QString &directory);
