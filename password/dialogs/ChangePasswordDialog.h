#pragma once

#include "password/dialogs/PasswordDialog.h"

// Asks for the old password and a new one twice; checks the three lengths, the old password
// against the one handed in, and that the two new entries agree. The normal size puts the
// focus into a box whose length was refused; the larger sizes leave the focus where it is.
class ChangePasswordDialog : public PasswordDialog {
    Q_OBJECT

public:
    explicit ChangePasswordDialog(DialogSize size);

    // Shows the dialog modally; `Validation` is the password the old entry must equal.
    // Returns the new password as typed (empty when cancelled) and writes whether the user
    // cancelled into `Cancelled`.
    Q_INVOKABLE QString GetPassword(const VBool &CaseSensitive, const QString &Validation,
                                    VBool &Cancelled, const QString &inTitle, const VBool &inActive,
                                    const VBool &inUseImages, const qint32 &MinLength,
                                    const qint32 &MaxLength);

private:
    void checkEntry() override;
    bool lengthsAccepted();

    QString m_expectedOldPassword;
    bool m_caseSensitive = true;
};
