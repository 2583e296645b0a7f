#include "app/TabPage.h"

#include <QTabWidget>

TabPage::TabPage(QTabWidget *tabs, const char *name) : QWidget(tabs), m_tabs(tabs)
{
    setObjectName(name);
}

void TabPage::place(QWidget *child, const QRect &geometry)
{
    m_placements.append({child, geometry});
    relayout();
}

void TabPage::relayout()
{
    const QPoint pageOrigin = mapTo(m_tabs, QPoint(0, 0));
    for (const Placement &placement : std::as_const(m_placements)) {
        if (!placement.child)
            continue;
        const QPoint topLeft = placement.geometry.topLeft() - pageOrigin;
        if (placement.geometry.size().isEmpty())
            placement.child->move(topLeft);
        else
            placement.child->setGeometry(QRect(topLeft, placement.geometry.size()));
    }
}

bool TabPage::focusNextPrevChild(bool next)
{
    if (!isVisible())
        return true;
    return QWidget::focusNextPrevChild(next);
}

void TabPage::moveEvent(QMoveEvent *event)
{
    QWidget::moveEvent(event);
    relayout();
}

void TabPage::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    relayout();
}

void TabPage::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    relayout();
}
