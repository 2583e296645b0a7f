#include "app/FormParts.h"

#include <QFrame>
#include <QLabel>
#include <QPixmap>

namespace {
void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette colours = widget->palette();
    colours.setColor(role, colour);
    widget->setPalette(colours);
}

QFrame *addLine(QWidget *parent, const char *name, const QColor &colour)
{
    auto *line = new QFrame(parent);
    line->setObjectName(name);
    line->setFrameShape(QFrame::NoFrame);
    line->setAutoFillBackground(true);
    setColour(line, QPalette::Window, colour);
    line->setFixedHeight(1);
    return line;
}
} // namespace

QFont formFont(const QString &family, qreal pointSize)
{
    QFont font(family);
    font.setPointSizeF(pointSize);
    return font;
}

QRect grownToText(const QLabel *label, const QRect &geometry)
{
    QRect grown = geometry;
    grown.setSize(geometry.size().expandedTo(label->sizeHint()));
    return grown;
}

QLabel *addLabel(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    // Form labels start their text at the top of their place, not in its middle.
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->adjustSize();
    return label;
}

QLabel *addHeading(QWidget *parent, const char *name, const QString &text)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(name);
    QFont font = label->font();
    font.setBold(true);
    label->setFont(font);
    label->setAutoFillBackground(true);
    setColour(label, QPalette::WindowText, QColor(0x40, 0x40, 0x40));
    setColour(label, QPalette::Window, QColor(0xE0, 0xE0, 0xE0));
    return label;
}

QPixmap artwork(const QString &path, qreal pixelRatio)
{
    if (pixelRatio > 1.0) {
        const qsizetype dot = path.lastIndexOf(u'.');
        // Read from an "@2x" file, the picture knows it is drawn at twice the size.
        const QPixmap dense(path.left(dot) + QStringLiteral("@2x") + path.mid(dot));
        if (!dense.isNull())
            return dense;
    }
    return QPixmap(path);
}

QLabel *addPicture(QWidget *parent, const char *name, const QString &path,
                   const QString &description)
{
    auto *picture = new QLabel(parent);
    picture->setObjectName(name);
    picture->setAccessibleName(description);
    picture->setPixmap(artwork(path, parent->devicePixelRatioF()));
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    return picture;
}

std::pair<QFrame *, QFrame *> addEtchedLine(QWidget *parent)
{
    return {addLine(parent, "Line1", QColor(0x80, 0x80, 0x80)),
            addLine(parent, "Line2", Qt::white)};
}
