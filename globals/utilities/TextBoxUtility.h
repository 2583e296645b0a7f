#pragma once
#include "globals/VantrelGlobalsWidgetsExport.h"

class QLineEdit;

// Acts on a text box that receives the focus or whose entry was refused: selects the whole
// text, so that typing replaces it. One object per thread, created on first use.
class VANTRELGLOBALSWIDGETS_EXPORT TextBoxUtility {
public:
    static TextBoxUtility &forThisThread();

    void selectWholeText(QLineEdit &box) const;

private:
    TextBoxUtility() = default;
};
