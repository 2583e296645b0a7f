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

// A picture box showing `image` from its top left corner.
QLabel *addPicture(QWidget *parent, const char *name, const QPixmap &image);

// An etched separator: a dark line `Line1` and a light line `Line2`, each one pixel high.
// Place `Line2` one pixel below `Line1`.
std::pair<QFrame *, QFrame *> addEtchedLine(QWidget *parent);
