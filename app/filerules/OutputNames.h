#pragma once
#include <QString>
#include <optional>

// The encrypted copy of `source`: the path as given with ".ECX" appended.
QString encryptedNameFor(const QString &source);

// The decrypted copy of `source`: the path less its last four characters, whatever they
// are. nullopt when the path is shorter than four characters; exactly four gives "".
std::optional<QString> decryptedNameFor(const QString &source);
