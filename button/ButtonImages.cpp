#include "button/ButtonImages.h"

#include <QImage>

ButtonState buttonStateFor(bool enabled, bool hovered, bool down)
{
    if (!enabled)
        return ButtonState::Rest;
    if (down)
        return ButtonState::Down;
    return hovered ? ButtonState::Hover : ButtonState::Rest;
}

const QPixmap &imageFor(const ButtonImages &images, bool useStateImages, ButtonState state)
{
    if (!useStateImages)
        return images.rest;
    if (state == ButtonState::Down && !images.down.isNull())
        return images.down;
    if (state != ButtonState::Rest && !images.hover.isNull())
        return images.hover;
    return images.rest;
}

QPixmap withMaskColor(const QPixmap &image, const QColor &maskColor)
{
    if (image.isNull() || !maskColor.isValid())
        return image;
    QImage pixels = image.toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb key = maskColor.rgb() & RGB_MASK;
    for (int y = 0; y < pixels.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(pixels.scanLine(y));
        for (int x = 0; x < pixels.width(); ++x) {
            if ((line[x] & RGB_MASK) == key)
                line[x] = 0;
        }
    }
    QPixmap result = QPixmap::fromImage(pixels);
    result.setDevicePixelRatio(image.devicePixelRatio());
    return result;
}
