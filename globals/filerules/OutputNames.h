#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <QString>
#include <optional>

// The encrypted copy of `source`: the path as given with ".ECX" appended.
VANTRELGLOBALS_EXPORT QString encryptedNameFor(const QString &source);

// The decrypted copy of `source`: the path less its last four characters, whatever they
// are. nullopt when the path is shorter than four characters; exactly four gives "".
VANTRELGLOBALS_EXPORT std::optional<QString> decryptedNameFor(const QString &source);

// The same rules on a path in the system's bytes, which need not be UTF-8: a UTF-8 path gives
// exactly what the rules above give; elsewhere each byte that is not part of a UTF-8 character
// counts as one character.
VANTRELGLOBALS_EXPORT QByteArray encryptedPathFor(const QByteArray &source);
VANTRELGLOBALS_EXPORT std::optional<QByteArray> decryptedPathFor(const QByteArray &source);
