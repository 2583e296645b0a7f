#include "app/LinkLabel.h"

#include "app/AccessibleRoles.h"
#include "app/FormParts.h"

#include <QMouseEvent>
#include <QPainter>
#include <QStyleOptionFocusRect>

LinkLabel::LinkLabel(const char *name, const QString &text, const QString &address, QWidget *parent)
    : QLabel(text, parent), m_address(address)
{
    setObjectName(name);
    QFont font = formFont("MS Sans Serif", 8.25);
    font.setUnderline(true);
    setFont(font);
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    setFocusPolicy(Qt::TabFocus);
    installAccessibleRoles();
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

void LinkLabel::keyPressEvent(QKeyEvent *event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
        QLabel::keyPressEvent(event);
        return;
    }
    event->accept();
    activate();
}

void LinkLabel::paintEvent(QPaintEvent *event)
{
    QLabel::paintEvent(event);
    if (!hasFocus())
        return;
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    QPainter painter(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}
