#include "password/dialogs/PasswordForms.h"

#include "password/dialogs/ChangePasswordDialog.h"
#include "password/dialogs/CreatePasswordDialog.h"
#include "password/dialogs/GetPasswordDialog.h"

namespace {

constexpr DialogKind allKinds[] = {DialogKind::Get, DialogKind::Create, DialogKind::Change};
constexpr DialogSize allSizes[] = {DialogSize::Normal, DialogSize::Large, DialogSize::ExtraLarge};

std::unique_ptr<PasswordDialog> createForm(DialogKind kind, DialogSize size)
{
    switch (kind) {
    case DialogKind::Get:
        return std::make_unique<GetPasswordDialog>(size);
    case DialogKind::Create:
        return std::make_unique<CreatePasswordDialog>(size);
    case DialogKind::Change:
        break;
    }
    return std::make_unique<ChangePasswordDialog>(size);
}

} // namespace

QStringList passwordFormNames()
{
    QStringList names;
    for (DialogKind kind : allKinds) {
        for (DialogSize size : allSizes)
            names << dialogFormName(kind, size);
    }
    return names;
}

std::unique_ptr<PasswordDialog> createPasswordForm(const QString &name)
{
    for (DialogKind kind : allKinds) {
        for (DialogSize size : allSizes) {
            if (dialogFormName(kind, size) == name)
                return createForm(kind, size);
        }
    }
    return nullptr;
}
