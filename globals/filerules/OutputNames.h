#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <QString>
#include <optional>

// The encrypted copy of `source`: the path as given with ".ECX" appended.
VANTRELGLOBALS_EXPORT QString encryptedNameFor(const QString &source);

// The decrypted copy of `source`: the path less its last four characters, whatever they
// are. nullopt when the path is shorter than four characters; exactly four gives "".
VANTRELGLOBALS_EXPORT std::optional<QString> decryptedNameFor(const QString &source);
