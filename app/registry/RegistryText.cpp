#include "app/registry/RegistryText.h"

#include "app/registry/ASRegistryError.h"

#include <algorithm>

namespace {

constexpr qsizetype MaxBinaryCharacters = 32767;

} // namespace

QByteArray toAnsi(QString &text)
{
    QByteArray bytes = text.toUtf8();
    text = QString::fromUtf8(bytes);
    return bytes;
}

QByteArray binaryFromText(const QString &text)
{
    if (text.isEmpty() || text.size() > MaxBinaryCharacters)
        throw ASRegistryError(ASRegistryError::InvalidArgument,
                              "Binary data needs 1 to 32767 characters");
    QByteArray bytes;
    bytes.reserve(text.size());
    for (const QChar character : text) {
        if (character.unicode() > 0xFF)
            throw ASRegistryError(ASRegistryError::Overflow,
                                  "Binary data holds only characters with a one-byte code");
        bytes.append(static_cast<char>(character.unicode()));
    }
    return bytes;
}

qint32 numberFromText(const QString &text)
{
    bool numeric = false;
    const qlonglong number = text.trimmed().toLongLong(&numeric, 10);
    if (!numeric)
        throw ASRegistryError(ASRegistryError::TypeMismatch,
                              "\"" + text + "\" is not a decimal number");
    if (number < INT32_MIN || number > INT32_MAX)
        throw ASRegistryError(ASRegistryError::Overflow,
                              "\"" + text + "\" does not fit in a 32-bit number");
    return static_cast<qint32>(number);
}

QVariant textFromValue(DWORD type, const std::vector<BYTE> &data)
{
    const auto bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data.data()),
                                               static_cast<qsizetype>(data.size()));
    switch (type) {
    case REG_SZ:
        return QString::fromUtf8(bytes.endsWith('\0') ? bytes.chopped(1) : bytes);
    case REG_BINARY:
        return QString::fromLatin1(bytes);
    case REG_DWORD: {
        quint32 bits = 0; // little-endian, as stored; a short value leaves the high bytes 0
        for (std::size_t at = std::min<std::size_t>(data.size(), 4); at-- > 0;)
            bits = (bits << 8) | data[at];
        return QString::number(static_cast<qint32>(bits));
    }
    default:
        return {};
    }
}
