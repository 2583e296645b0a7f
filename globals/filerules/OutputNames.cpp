#include "globals/filerules/OutputNames.h"

namespace {
constexpr qsizetype strippedCharacters = 4;
}

QString encryptedNameFor(const QString &source) { return source + QStringLiteral(".ECX"); }

std::optional<QString> decryptedNameFor(const QString &source)
{
    if (source.size() < strippedCharacters)
        return std::nullopt;
    return source.left(source.size() - strippedCharacters);
}
