#pragma once

#include <QString>
#include <QtGlobal>

// The three kinds of password dialog and their three sizes.
enum class DialogKind { Get, Create, Change };
enum class DialogSize { Normal, Large, ExtraLarge };

// The control's `Size` setting: 1 is large, 2 extra large, every other value normal.
DialogSize dialogSizeFor(qint32 sizeSetting);

// "frmGetPasswordNormal" ... "frmChangePasswordExtraLarge".
QString dialogFormName(DialogKind kind, DialogSize size);
