#include "tests/support/age/Bech32.h"

#include <cctype>

namespace age {

namespace {
constexpr std::string_view charset = "qpzry9x8gf2tvdw0s3jn54khce6mua7l";

std::uint32_t polymod(const Bytes &values)
{
    static constexpr std::uint32_t gen[5] = {0x3b6a57b2, 0x26508e6d, 0x1ea119fa, 0x3d4233dd,
                                             0x2a1462b3};
    std::uint32_t chk = 1;
    for (std::uint8_t v : values) {
        const std::uint32_t top = chk >> 25;
        chk = ((chk & 0x1ffffff) << 5) ^ v;
        for (int i = 0; i < 5; ++i)
            if ((top >> i) & 1)
                chk ^= gen[i];
    }
    return chk;
}

// Regroups 5-bit values into bytes; leftover bits must be fewer than 5 and zero.
std::optional<Bytes> fiveToEight(const Bytes &five)
{
    Bytes out;
    std::uint32_t acc = 0;
    int bits = 0;
    for (std::uint8_t v : five) {
        acc = (acc << 5) | v;
        bits += 5;
        if (bits >= 8) {
            bits -= 8;
            out.push_back(std::uint8_t(acc >> bits));
        }
    }
    if (bits >= 5 || (acc & ((1u << bits) - 1)) != 0)
        return std::nullopt;
    return out;
}
} // namespace

std::optional<Bech32Data> bech32Decode(std::string_view text)
{
    bool lower = false, upper = false;
    for (char c : text) {
        if (c < 33 || c > 126)
            return std::nullopt;
        lower |= std::islower(static_cast<unsigned char>(c)) != 0;
        upper |= std::isupper(static_cast<unsigned char>(c)) != 0;
    }
    if (lower && upper)
        return std::nullopt;
    const std::size_t sep = text.rfind('1');
    if (sep == std::string_view::npos || sep == 0 || sep + 7 > text.size())
        return std::nullopt;

    std::string hrp;
    for (char c : text.substr(0, sep))
        hrp += char(std::tolower(static_cast<unsigned char>(c)));
    Bytes values;
    for (char c : hrp)
        values.push_back(std::uint8_t(c) >> 5);
    values.push_back(0);
    for (char c : hrp)
        values.push_back(std::uint8_t(c) & 31);
    Bytes five;
    for (char c : text.substr(sep + 1)) {
        const std::size_t v = charset.find(char(std::tolower(static_cast<unsigned char>(c))));
        if (v == std::string_view::npos)
            return std::nullopt;
        five.push_back(std::uint8_t(v));
    }
    values.insert(values.end(), five.begin(), five.end());
    if (polymod(values) != 1)
        return std::nullopt;
    five.resize(five.size() - 6);
    auto data = fiveToEight(five);
    if (!data)
        return std::nullopt;
    return Bech32Data{hrp, std::move(*data)};
}

} // namespace age
