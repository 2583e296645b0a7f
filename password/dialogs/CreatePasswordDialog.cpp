#include "password/dialogs/CreatePasswordDialog.h"

#include <QLineEdit>

CreatePasswordDialog::CreatePasswordDialog(DialogSize size)
    : PasswordDialog(DialogKind::Create, size)
{
}

QString CreatePasswordDialog::GetPassword(VBool CaseSensitive, VBool &Cancelled,
                                          const QString &inTitle, const VBool &inActive,
                                          const VBool &inUseImages, const qint32 &MinLength,
                                          const qint32 &MaxLength)
{
    m_caseSensitive = isTrue(CaseSensitive);
    return runEntry(Cancelled,
                    {inTitle, isTrue(inActive), isTrue(inUseImages), MinLength, MaxLength});
}

void CreatePasswordDialog::checkEntry()
{
    if (!lengthAccepted(*passwordBox(), EntryRole::Password, true) ||
        !lengthAccepted(*confirmationBox(), EntryRole::Confirmation, true))
        return;
    if (confirmationMatches(m_caseSensitive, QStringLiteral("Create Password")))
        acceptEntry();
}
