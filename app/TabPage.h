#pragma once
#include <QList>
#include <QPointer>
#include <QRect>
#include <QWidget>

class QTabWidget;

// One page of the window's tab control. Its controls are placed in the coordinates of the
// whole tab control (tab strip included), as the form layout gives them, and keep that
// place whatever height the style gives the tab strip.
class TabPage : public QWidget {
    Q_OBJECT

public:
    TabPage(QTabWidget *tabs, const char *name);

    // Places `child` (a child of this page) at `geometry` in tab-control pixels. A null size
    // keeps the child's own size.
    void place(QWidget *child, const QRect &geometry);

protected:
    // While the page is being hidden because another page comes to the front (Ctrl+Tab), the
    // focus stays where it is until the tab control moves it into the new page, instead of
    // passing through the controls after the tabs on its way.
    bool focusNextPrevChild(bool next) override;
    void moveEvent(QMoveEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void relayout();

    struct Placement {
        QPointer<QWidget> child;
        QRect geometry;
    };
    QTabWidget *m_tabs;
    QList<Placement> m_placements;
};
