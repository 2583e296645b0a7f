#include "platform/com/Guid.h"

namespace {

std::optional<std::uint64_t> hexField(QStringView text)
{
    std::uint64_t value = 0;
    for (QChar c : text) {
        const int digit = QStringView(u"0123456789abcdef").indexOf(c.toLower());
        if (digit < 0)
            return std::nullopt;
        value = value << 4 | std::uint64_t(digit);
    }
    return value;
}

} // namespace

std::optional<Guid> Guid::fromString(QStringView text)
{
    if (text.size() == 38 && text.front() == u'{' && text.back() == u'}')
        text = text.mid(1, 36);
    if (text.size() != 36 || text[8] != u'-' || text[13] != u'-' || text[18] != u'-' ||
        text[23] != u'-')
        return std::nullopt;
    const auto d1 = hexField(text.mid(0, 8));
    const auto d2 = hexField(text.mid(9, 4));
    const auto d3 = hexField(text.mid(14, 4));
    const auto d4a = hexField(text.mid(19, 4));
    const auto d4b = hexField(text.mid(24, 12));
    if (!d1 || !d2 || !d3 || !d4a || !d4b)
        return std::nullopt;
    Guid guid;
    guid.data1 = std::uint32_t(*d1);
    guid.data2 = std::uint16_t(*d2);
    guid.data3 = std::uint16_t(*d3);
    guid.data4[0] = std::uint8_t(*d4a >> 8);
    guid.data4[1] = std::uint8_t(*d4a);
    for (int i = 0; i < 6; ++i)
        guid.data4[2 + i] = std::uint8_t(*d4b >> (8 * (5 - i)));
    return guid;
}

QString Guid::toString() const
{
    auto hex = [](std::uint64_t value, int digits) {
        return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
    };
    QString tail;
    for (int i = 2; i < 8; ++i)
        tail += hex(data4[i], 2);
    return QStringLiteral("{%1-%2-%3-%4%5-%6}")
        .arg(hex(data1, 8), hex(data2, 4), hex(data3, 4), hex(data4[0], 2), hex(data4[1], 2), tail);
}
