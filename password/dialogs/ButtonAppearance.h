#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

class QPushButton;

// How the OK and Cancel buttons look, chosen from the active-buttons and use-images settings.
// Image fields hold bitmap names; an empty name means no image.
struct ButtonAppearance {
    int style; // 1 active, 0 standard
    QString image;
    QString hoverImage;
    QString downImage;
    std::optional<bool> useStateImages; // not set: the button keeps its own value
    qint16 contentSpacing;
};

// `colourBitmap` and `grayBitmap` are the two versions of the button's own image.
ButtonAppearance buttonAppearance(bool active, bool useImages, const QString &colourBitmap,
                                  const QString &grayBitmap);

// Sets the images, state-image switch and spacing on a button (the style is set separately,
// on both buttons first). Each image is loaded afresh by name; one that cannot be loaded, or a
// property the button refuses, is skipped and the rest still applied.
void applyButtonImages(QPushButton &button, const ButtonAppearance &appearance);
