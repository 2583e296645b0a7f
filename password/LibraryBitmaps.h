#pragma once
#include <QPixmap>
#include <QString>

// Loads one of the control library's embedded bitmaps by its resource name
// ("CONTROL_VTPASSWORD", "30000", "BTN_CHECK_COLOR", "BTN_CHECK_GRAY", "BTN_X_COLOR",
// "BTN_X_GRAY"). Every call decodes the picture afresh: nothing is cached, so each caller
// owns what it gets. An unknown name gives a null pixmap. On a screen of more than one device
// pixel per pixel (`pixelRatio` above 1) a bitmap that has a drawing at twice the density
// (the button images, "NAME@2x") comes in that drawing, with a device pixel ratio of 2.
QPixmap loadLibraryBitmap(const QString &name, qreal pixelRatio = 1.0);

// The resource path of a bitmap, for code that wants the raw file.
QString libraryBitmapPath(const QString &name);
