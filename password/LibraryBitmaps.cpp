#include "password/LibraryBitmaps.h"

#include <QImageReader>

// The resources live in a static library: referencing their initialiser keeps them linked in.
static void registerLibraryBitmaps()
{
    static const bool registered = [] {
        Q_INIT_RESOURCE(LibraryBitmaps);
        return true;
    }();
    (void)registered;
}

QString libraryBitmapPath(const QString &name)
{
    return QStringLiteral(":/VantrelPassword/") + name;
}

namespace {

// Read through QImageReader rather than QPixmap::load, which would consult the pixmap cache.
QImage readLibraryBitmap(const QString &name)
{
    QImageReader reader(libraryBitmapPath(name), "bmp");
    return reader.read();
}

} // namespace

QPixmap loadLibraryBitmap(const QString &name, qreal pixelRatio)
{
    registerLibraryBitmaps();
    if (pixelRatio > 1.0) {
        if (const QImage dense = readLibraryBitmap(name + QStringLiteral("@2x")); !dense.isNull()) {
            QPixmap picture = QPixmap::fromImage(dense);
            picture.setDevicePixelRatio(2.0);
            return picture;
        }
    }
    const QImage image = readLibraryBitmap(name);
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}
