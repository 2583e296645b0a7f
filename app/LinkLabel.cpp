#include "app/LinkLabel.h"

#include "app/FormParts.h"

#include <QMouseEvent>

LinkLabel::LinkLabel(const char *name, const QString &text, const QString &address, QWidget *parent)
    : QLabel(text, parent), m_address(address)
{
    setObjectName(name);
    QFont font = formFont("MS Sans Serif", 8.25);
    font.setUnderline(true);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    setHovered(false);
}

void LinkLabel::setHovered(bool hovered)
{
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, hovered ? hoverColour() : restColour());
    setPalette(colours);
}

QColor LinkLabel::colour() const { return palette().color(QPalette::WindowText); }

void LinkLabel::mouseMoveEvent(QMouseEvent *event)
{
    event->accept();
    emit pointedAt();
}

void LinkLabel::mousePressEvent(QMouseEvent *event)
{
    m_pressed = event->button() == Qt::LeftButton;
    event->accept();
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    // A click is a press and a release of the left button over the label.
    const bool click = m_pressed && event->button() == Qt::LeftButton &&
                       rect().contains(event->position().toPoint());
    m_pressed = false;
    event->accept();
    if (click)
        emit clicked();
}
