#pragma once

#include "password/dialogs/PasswordDialog.h"

// Asks for a new password twice and checks both lengths and that the two agree.
class CreatePasswordDialog : public PasswordDialog {
    Q_OBJECT

public:
    explicit CreatePasswordDialog(DialogSize size);

    // Shows the dialog modally; returns the new password as typed in the password box (empty
    // when cancelled) and writes whether the user cancelled into `Cancelled`.
    Q_INVOKABLE QString GetPassword(VBool CaseSensitive, VBool &Cancelled, const QString &inTitle,
                                    const VBool &inActive, const VBool &inUseImages,
                                    const qint32 &MinLength, const qint32 &MaxLength);

private:
    void checkEntry() override;

    bool m_caseSensitive = true;
};
