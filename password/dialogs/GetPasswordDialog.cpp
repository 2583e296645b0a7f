#include "password/dialogs/GetPasswordDialog.h"

#include <QLineEdit>

GetPasswordDialog::GetPasswordDialog(DialogSize size) : PasswordDialog(DialogKind::Get, size) {}

QString GetPasswordDialog::GetPassword(VBool &Cancelled, const QString &inTitle,
                                       const VBool &inActive, const VBool &inUseImages,
                                       const qint32 &MinLength, const qint32 &MaxLength)
{
    return runEntry(Cancelled,
                    {inTitle, isTrue(inActive), isTrue(inUseImages), MinLength, MaxLength});
}

void GetPasswordDialog::checkEntry()
{
    if (lengthAccepted(*passwordBox(), EntryRole::Password, true))
        acceptEntry();
}
