#pragma once
#include <QString>
#include <utility>

class QFont;
class QFrame;
class QLabel;
class QPixmap;
class QRect;
class QWidget;

// A font by family name and point size; the font system substitutes a missing family.
QFont formFont(const QString &family, qreal pointSize);

// `geometry` grown to the label's one-line text where it is too narrow or too low for it.
QRect grownToText(const QLabel *label, const QRect &geometry);

// Builders for the pieces that several forms share. They make the widget; the caller places it.

// A label whose size follows its text.
QLabel *addLabel(QWidget *parent, const char *name, const QString &text);

// The bold dark-grey-on-light-grey heading line at the top of each tab.
QLabel *addHeading(QWidget *parent, const char *name, const QString &text);

// The drawing at `path` for a screen of `pixelRatio` device pixels per pixel: above 1, its
// drawing of twice the size ("name@2x.png" beside "name.png") where there is one.
QPixmap artwork(const QString &path, qreal pixelRatio);

// A picture box showing the drawing at `path` from its top left corner, named `description`
// for assistive technology.
QLabel *addPicture(QWidget *parent, const char *name, const QString &path,
                   const QString &description);

// An etched separator: a dark line `Line1` and a light line `Line2`, each one pixel high.
// Place `Line2` one pixel below `Line1`.
std::pair<QFrame *, QFrame *> addEtchedLine(QWidget *parent);
