#include "password/dialogs/ChangePasswordDialog.h"

#include <QLineEdit>

#include "password/dialogs/PasswordMatch.h"

namespace {

const QString title = QStringLiteral("Change Password");

} // namespace

ChangePasswordDialog::ChangePasswordDialog(DialogSize size)
    : PasswordDialog(DialogKind::Change, size)
{
}

QString ChangePasswordDialog::GetPassword(const VBool &CaseSensitive, const QString &Validation,
                                          VBool &Cancelled, const QString &inTitle,
                                          const VBool &inActive, const VBool &inUseImages,
                                          const qint32 &MinLength, const qint32 &MaxLength)
{
    m_caseSensitive = isTrue(CaseSensitive);
    m_expectedOldPassword = Validation;
    return runEntry(Cancelled,
                    {inTitle, isTrue(inActive), isTrue(inUseImages), MinLength, MaxLength});
}

bool ChangePasswordDialog::lengthsAccepted()
{
    const bool focusOnFailure = dialogSize() == DialogSize::Normal;
    return lengthAccepted(*oldPasswordBox(), EntryRole::OldPassword, focusOnFailure) &&
           lengthAccepted(*passwordBox(), EntryRole::Password, focusOnFailure) &&
           lengthAccepted(*confirmationBox(), EntryRole::Confirmation, focusOnFailure);
}

void ChangePasswordDialog::checkEntry()
{
    if (!lengthsAccepted())
        return;
    if (!passwordsMatch(oldPasswordBox()->text(), m_expectedOldPassword, m_caseSensitive)) {
        reportMismatch(
            *oldPasswordBox(), title,
            QStringLiteral("The Old Password you entered was not correct!  Please try again."));
        return;
    }
    if (confirmationMatches(m_caseSensitive, title))
        acceptEntry();
}
