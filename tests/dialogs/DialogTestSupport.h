#pragma once

#include <QString>
#include <functional>

#include "password/dialogs/PasswordDialog.h"
#include "platform/core/VBool.h"
#include "tests/support/ModalDriver.h"

// The settings of one showing, with the control's defaults.
struct Entry {
    QString title = QStringLiteral("Title");
    VBool active = VFalse;
    VBool useImages = VTrue;
    qint32 minLength = 0;
    qint32 maxLength = 0;
    VBool caseSensitive = VTrue;
    QString validation;
};

struct Outcome {
    QString text;
    VBool cancelled;
};

// Shows the form through its entry routine, reached by name as a host reaches it, with
// `user` acting while it is open.
Outcome showByName(PasswordDialog &form, const Entry &entry, std::function<void(QDialog &)> user);
