#include "globals/utilities/TextBoxUtility.h"

#include <QLineEdit>

TextBoxUtility &TextBoxUtility::forThisThread()
{
    thread_local TextBoxUtility utility;
    return utility;
}

void TextBoxUtility::selectWholeText(QLineEdit &box) const { box.selectAll(); }
