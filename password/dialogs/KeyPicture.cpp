#include "password/dialogs/KeyPicture.h"

#include "password/dialogs/resources/ImageKey.xpm"
#include "password/dialogs/resources/ImageKey@2x.xpm"

QPixmap keyPicture(qreal pixelRatio)
{
    if (pixelRatio <= 1.0)
        return QPixmap(ImageKey_xpm);
    QPixmap dense(ImageKey2x_xpm);
    dense.setDevicePixelRatio(2.0);
    return dense;
}
