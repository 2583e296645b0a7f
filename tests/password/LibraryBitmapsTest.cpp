#include "password/LibraryBitmaps.h"
#include "password/dialogs/KeyPicture.h"

#include <QFile>
#include <QImage>
#include <QPixmap>
#include <QSet>
#include <QtEndian>
#include <gtest/gtest.h>

namespace {

const QRgb magenta = qRgb(255, 0, 255);

struct BmpHeader {
    int width = 0, height = 0, bitsPerPixel = 0, compression = -1;
};

BmpHeader headerOf(const QString &name)
{
    QFile file(libraryBitmapPath(name));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    const auto *p = reinterpret_cast<const uchar *>(bytes.constData());
    return {qFromLittleEndian<qint32>(p + 18), qFromLittleEndian<qint32>(p + 22),
            qFromLittleEndian<quint16>(p + 28), int(qFromLittleEndian<quint32>(p + 30))};
}

QImage decoded(const QString &name)
{
    return loadLibraryBitmap(name).toImage().convertToFormat(QImage::Format_RGB32);
}

QSet<QRgb> coloursOf(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            colours.insert(image.pixel(x, y) | 0xff000000u);
    return colours;
}

} // namespace

TEST(LibraryBitmaps, ButtonImagesAreRunLengthCompressedFourBitBitmapsThatQtDecodes)
{
    struct Expected {
        const char *name;
        QRgb outline, inner;
    };
    const Expected images[] = {
        {"BTN_CHECK_COLOR", qRgb(0, 128, 0), qRgb(0, 255, 0)},
        {"BTN_CHECK_GRAY", qRgb(128, 128, 128), qRgb(192, 192, 192)},
        {"BTN_X_COLOR", qRgb(128, 0, 0), qRgb(255, 0, 0)},
        {"BTN_X_GRAY", qRgb(128, 128, 128), qRgb(192, 192, 192)},
    };
    // Each also drawn at twice the density for high-density screens.
    for (const Expected &e : images) {
        for (const QString name : {QString(e.name), QString(e.name) + "@2x"}) {
            SCOPED_TRACE(name.toStdString());
            const int size = name.endsWith("@2x") ? 32 : 16;
            const BmpHeader header = headerOf(name);
            EXPECT_EQ(header.width, size);
            EXPECT_EQ(header.height, size);
            EXPECT_EQ(header.bitsPerPixel, 4);
            EXPECT_EQ(header.compression, 2); // run-length, 4 bits per pixel

            const QImage image = decoded(name);
            ASSERT_EQ(image.size(), QSize(size, size));
            EXPECT_EQ(coloursOf(image), (QSet<QRgb>{magenta, e.outline, e.inner}));
            EXPECT_EQ(image.pixel(0, 0) | 0xff000000u, magenta);
            EXPECT_EQ(image.pixel(size - 1, size - 1) | 0xff000000u, magenta);
        }
    }
}

// A dense screen gets the drawings made at twice the density, which take the same room as the
// normal ones and are not their pixels doubled.
TEST(LibraryBitmaps, DenseScreensGetTheKeyAndButtonImagesDrawnAtTwiceTheDensity)
{
    const auto expectDrawnDense = [](const QPixmap &normal, const QPixmap &dense) {
        EXPECT_EQ(normal.devicePixelRatio(), 1.0);
        EXPECT_EQ(dense.devicePixelRatio(), 2.0);
        EXPECT_EQ(dense.size(), normal.size() * 2);
        EXPECT_EQ(dense.deviceIndependentSize(), QSizeF(normal.size()));
        const QImage doubled =
            normal.toImage().scaled(dense.size()).convertToFormat(QImage::Format_ARGB32);
        EXPECT_NE(dense.toImage().convertToFormat(QImage::Format_ARGB32), doubled);
    };
    for (const char *name : {"BTN_CHECK_COLOR", "BTN_CHECK_GRAY", "BTN_X_COLOR", "BTN_X_GRAY"}) {
        SCOPED_TRACE(name);
        expectDrawnDense(loadLibraryBitmap(name, 1.0), loadLibraryBitmap(name, 2.0));
    }
    SCOPED_TRACE("key");
    expectDrawnDense(keyPicture(1.0), keyPicture(2.0));
    EXPECT_EQ(keyPicture(1.0).size(), QSize(32, 32));
    // Bitmaps without a dense drawing come as they are.
    EXPECT_EQ(loadLibraryBitmap("30000", 2.0).devicePixelRatio(), 1.0);
}

TEST(LibraryBitmaps, DecodedRowsKeepTheirOrderAndPosition)
{
    // The check rises to the right: its top end is near the right edge, its foot near the left.
    const QImage check = decoded("BTN_CHECK_COLOR");
    EXPECT_EQ(check.pixel(13, 3) | 0xff000000u, qRgb(0, 255, 0));
    EXPECT_EQ(check.pixel(2, 3) | 0xff000000u, magenta);
    EXPECT_EQ(check.pixel(5, 10) | 0xff000000u, qRgb(0, 255, 0));
    // The X is mirror-symmetric left to right.
    const QImage cross = decoded("BTN_X_COLOR");
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            ASSERT_EQ(cross.pixel(x, y), cross.pixel(15 - x, y)) << x << "," << y;
}

TEST(LibraryBitmaps, SurfaceAndToolboxPicturesAreUncompressedSixteenColourBitmaps)
{
    const BmpHeader surface = headerOf("CONTROL_VTPASSWORD");
    EXPECT_EQ(surface.bitsPerPixel, 4);
    EXPECT_EQ(surface.compression, 0);
    const QImage tile = decoded("CONTROL_VTPASSWORD");
    ASSERT_EQ(tile.size(), QSize(32, 32));
    EXPECT_EQ(tile.pixel(0, 0) | 0xff000000u, qRgb(0, 0, 0)); // outer edge
    EXPECT_EQ(tile.pixel(31, 31) | 0xff000000u, qRgb(0, 0, 0));
    EXPECT_EQ(tile.pixel(1, 5) | 0xff000000u, qRgb(255, 255, 255));  // inner top-left edge
    EXPECT_EQ(tile.pixel(30, 5) | 0xff000000u, qRgb(128, 128, 128)); // inner bottom-right edge
    EXPECT_TRUE(coloursOf(tile).contains(qRgb(0, 128, 128)));        // the key

    const BmpHeader toolbox = headerOf("30000");
    EXPECT_EQ(toolbox.bitsPerPixel, 4);
    EXPECT_EQ(loadLibraryBitmap("30000").size(), QSize(16, 15));
}

TEST(LibraryBitmaps, EachLoadIsAFreshPictureAndUnknownNamesGiveNothing)
{
    QPixmap first = loadLibraryBitmap("BTN_X_GRAY");
    first.fill(Qt::black);
    EXPECT_EQ(decoded("BTN_X_GRAY").pixel(0, 0) | 0xff000000u, magenta);
    EXPECT_TRUE(loadLibraryBitmap("BTN_NOT_THERE").isNull());
    EXPECT_TRUE(loadLibraryBitmap("").isNull());
}
