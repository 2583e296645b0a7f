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

QPixmap loadLibraryBitmap(const QString &name)
{
    registerLibraryBitmaps();
    // Read through QImageReader rather than QPixmap::load, which would consult the pixmap cache.
    QImageReader reader(libraryBitmapPath(name), "bmp");
    const QImage image = reader.read();
    return image.isNull() ? QPixmap() : QPixmap::fromImage(image);
}
