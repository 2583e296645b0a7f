#pragma once

#include "password/dialogs/PasswordDialog.h"

// Asks for one password and checks only its length; the caller judges the text.
class GetPasswordDialog : public PasswordDialog {
    Q_OBJECT

public:
    explicit GetPasswordDialog(DialogSize size);

    // Shows the dialog modally; returns the password as typed (empty when cancelled) and
    // writes whether the user cancelled into `Cancelled`.
    Q_INVOKABLE QString GetPassword(VBool &Cancelled, const QString &inTitle, const VBool &inActive,
                                    const VBool &inUseImages, const qint32 &MinLength,
                                    const qint32 &MaxLength);

private:
    void checkEntry() override;
};
