#pragma once
#include <QColor>
#include <QPixmap>

// Which of a button's images is shown, and how the mask colour is applied. Kept apart from
// painting so that the rules can be checked without a window.
struct ButtonImages {
    QPixmap rest;
    QPixmap hover;
    QPixmap down;
};

enum class ButtonState { Rest, Hover, Down };

// The state a button shows: a disabled button always rests; pressing wins over hovering.
ButtonState buttonStateFor(bool enabled, bool hovered, bool down);

// The image for `state`. Without state images the resting image is always shown; with them
// the down image is shown while pressed, the hover image while pointed at, each falling back
// to the next calmer state's image when it is not set.
const QPixmap &imageFor(const ButtonImages &images, bool useStateImages, ButtonState state);

// A copy of `image` in which every pixel of exactly `maskColor` (alpha ignored) is fully
// transparent. An invalid colour leaves the image as it is.
QPixmap withMaskColor(const QPixmap &image, const QColor &maskColor);
