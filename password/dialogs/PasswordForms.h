#pragma once

#include <QString>
#include <QStringList>
#include <memory>

#include "password/dialogs/DialogKind.h"
#include "password/dialogs/PasswordDialog.h"

// The nine password forms by name, for callers that choose a form by its name.

// "frmGetPasswordNormal" ... "frmChangePasswordExtraLarge", kind by kind.
QStringList passwordFormNames();

// A fresh instance of the named form; null when the name is none of the nine.
std::unique_ptr<PasswordDialog> createPasswordForm(const QString &name);
