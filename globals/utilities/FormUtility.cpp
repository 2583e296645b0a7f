#include "globals/utilities/FormUtility.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStyle>
#include <QWidget>

FormUtility &FormUtility::forThisThread()
{
    thread_local FormUtility utility;
    return utility;
}

void FormUtility::centreOnScreen(QWidget &form) const
{
    QScreen *screen = form.screen() ? form.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    form.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, form.size(),
                                         screen->availableGeometry()));
}
