#include "password/dialogs/ButtonAppearance.h"

#include <QPixmap>
#include <QPushButton>

#include "password/LibraryBitmaps.h"

ButtonAppearance buttonAppearance(bool active, bool useImages, const QString &colourBitmap,
                                  const QString &grayBitmap)
{
    const int style = active ? 1 : 0;
    if (!useImages)
        return {style, {}, {}, {}, std::nullopt, 0};
    if (active)
        return {style, grayBitmap, colourBitmap, colourBitmap, true, 6};
    return {style, colourBitmap, {}, {}, false, 6};
}

namespace {

void setImage(QPushButton &button, const char *property, const QString &bitmapName)
{
    if (bitmapName.isEmpty()) {
        button.setProperty(property, QPixmap());
        return;
    }
    const QPixmap bitmap = loadLibraryBitmap(bitmapName, button.devicePixelRatioF());
    if (!bitmap.isNull())
        button.setProperty(property, bitmap);
}

} // namespace

void applyButtonImages(QPushButton &button, const ButtonAppearance &appearance)
{
    setImage(button, "ButtonImage", appearance.image);
    setImage(button, "ButtonImageHover", appearance.hoverImage);
    setImage(button, "ButtonImageDown", appearance.downImage);
    if (appearance.useStateImages)
        button.setProperty("UseStateImages", *appearance.useStateImages);
    button.setProperty("ButtonContentSpacing", QVariant::fromValue(appearance.contentSpacing));
}
