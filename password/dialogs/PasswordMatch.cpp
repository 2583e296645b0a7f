#include "password/dialogs/PasswordMatch.h"

#include <QLocale>
#include <QString>

bool passwordsMatch(const QString &first, const QString &second, bool caseSensitive)
{
    if (caseSensitive)
        return first == second;
    const QLocale locale;
    return locale.toUpper(first) == locale.toUpper(second);
}
