#include "globals/filerules/Utf8Sequence.h"

#include <QStringDecoder>

qsizetype utf8SequenceLength(const QByteArray &bytes, qsizetype at)
{
    const auto lead = static_cast<unsigned char>(bytes[at]);
    const qsizetype length = lead < 0x80                   ? 1
                             : lead >= 0xc2 && lead < 0xe0 ? 2
                             : lead >= 0xe0 && lead < 0xf0 ? 3
                             : lead >= 0xf0 && lead < 0xf5 ? 4
                                                           : 0;
    if (length == 0 || at + length > bytes.size())
        return 0;
    // The decoder judges the continuation bytes, overlong forms and surrogates.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder(QByteArrayView(bytes).sliced(at, length));
    return decoder.hasError() || decoded.isEmpty() ? 0 : length;
}
