#include "globals/filerules/OutputNames.h"

#include <QStringDecoder>
#include <vector>

#include "globals/filerules/Utf8Sequence.h"

namespace {
constexpr qsizetype strippedCharacters = 4;

} // namespace

QString encryptedNameFor(const QString &source) { return source + QStringLiteral(".ECX"); }

std::optional<QString> decryptedNameFor(const QString &source)
{
    if (source.size() < strippedCharacters)
        return std::nullopt;
    return source.left(source.size() - strippedCharacters);
}

QByteArray encryptedPathFor(const QByteArray &source) { return source + ".ECX"; }

std::optional<QByteArray> decryptedPathFor(const QByteArray &source)
{
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = decoder(source);
    if (!decoder.hasError()) {
        const auto name = decryptedNameFor(text);
        return name ? std::optional<QByteArray>(name->toUtf8()) : std::nullopt;
    }
    // Where each character starts, counted in the units the rule above counts (UTF-16).
    std::vector<qsizetype> starts;
    for (qsizetype at = 0; at < source.size();) {
        const qsizetype length = std::max<qsizetype>(1, utf8SequenceLength(source, at));
        starts.push_back(at);
        if (length == 4)
            starts.push_back(at); // outside the basic plane: two UTF-16 units
        at += length;
    }
    if (qsizetype(starts.size()) < strippedCharacters)
        return std::nullopt;
    return source.left(starts[starts.size() - strippedCharacters]);
}
