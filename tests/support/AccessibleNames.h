#pragma once

#include <QString>
#include <QStringList>
#include <ostream>

class QWidget;

// What assistive technology reads from a window, through Qt's accessibility layer.

// Lets failures show lists of names readably.
inline void PrintTo(const QStringList &names, std::ostream *out)
{
    *out << '{' << names.join(QStringLiteral(", ")).toStdString() << '}';
}

// The name read for `control`.
QString accessibleName(QWidget *control);

// The controls of `window` that would be read without a name, by object name: every control
// that takes the focus from the keyboard (disabled ones and those on hidden pages included)
// and every picture.
QStringList unnamedControls(QWidget &window);
