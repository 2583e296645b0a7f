#pragma once
#include "globals/VantrelGlobalsWidgetsExport.h"

class QWidget;

// Prepares a form before it is first shown: places it in the middle of the screen it will
// open on. One object per thread, created on first use.
class VANTRELGLOBALSWIDGETS_EXPORT FormUtility {
public:
    static FormUtility &forThisThread();

    void centreOnScreen(QWidget &form) const;

private:
    FormUtility() = default;
};
