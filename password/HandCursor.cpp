#include "password/HandCursor.h"

#include <QBitmap>

#include "password/LibraryBitmaps.h"

QCursor handCursor()
{
    // Black pixels of the outline are drawn black; pixels of the mask that the outline leaves
    // out are drawn white; the rest of the square is clear.
    const QBitmap outline =
        QBitmap::fromImage(loadLibraryBitmap(QStringLiteral("CURSOR_HAND")).toImage());
    const QBitmap mask =
        QBitmap::fromImage(loadLibraryBitmap(QStringLiteral("CURSOR_HAND_MASK")).toImage());
    if (outline.isNull() || mask.isNull())
        return QCursor(Qt::PointingHandCursor);
    return QCursor(outline, mask, 5, 0);
}
