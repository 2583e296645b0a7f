#pragma once
#include <QPixmap>

// The yellow key at the top left of every password form, drawn for a screen of `pixelRatio`
// device pixels per pixel: above 1 the drawing at twice the density (64 x 64 pixels, a device
// pixel ratio of 2), otherwise 32 x 32.
QPixmap keyPicture(qreal pixelRatio);
