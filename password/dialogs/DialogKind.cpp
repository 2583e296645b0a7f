#include "password/dialogs/DialogKind.h"

DialogSize dialogSizeFor(qint32 sizeSetting)
{
    switch (sizeSetting) {
    case 1:
        return DialogSize::Large;
    case 2:
        return DialogSize::ExtraLarge;
    default:
        return DialogSize::Normal;
    }
}

QString dialogFormName(DialogKind kind, DialogSize size)
{
    static const char *const kinds[] = {"Get", "Create", "Change"};
    static const char *const sizes[] = {"Normal", "Large", "ExtraLarge"};
    return QStringLiteral("frm%1Password%2")
        .arg(QLatin1String(kinds[static_cast<int>(kind)]),
             QLatin1String(sizes[static_cast<int>(size)]));
}
