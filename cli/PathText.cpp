#include "cli/PathText.h"

#include <QList>

#include "globals/filerules/Utf8Sequence.h"

namespace {
bool isControl(char32_t c) { return c < 0x20 || c == 0x7f || (c >= 0x80 && c < 0xa0); }

void appendEscaped(QString &text, QByteArrayView bytes)
{
    for (char byte : bytes)
        text += QStringLiteral("\\x%1").arg(static_cast<unsigned char>(byte), 2, 16, QChar('0'));
}
} // namespace

QString printable(const QByteArray &bytes)
{
    QString text;
    for (qsizetype at = 0; at < bytes.size();) {
        const qsizetype length = utf8SequenceLength(bytes, at);
        const QByteArrayView sequence =
            QByteArrayView(bytes).sliced(at, std::max<qsizetype>(length, 1));
        const QString character = QString::fromUtf8(sequence);
        if (length == 0 || (isControl(character.toUcs4().value(0)) && character != "\t"))
            appendEscaped(text, sequence);
        else
            text += character;
        at += sequence.size();
    }
    return text;
}
