#include "globals/engine/Base64.h"

namespace age {

namespace {
constexpr char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

int valueOf(char c)
{
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '+')
        return 62;
    if (c == '/')
        return 63;
    return -1;
}
} // namespace

std::string base64Encode(const std::uint8_t *data, std::size_t size)
{
    std::string out;
    out.reserve((size * 4 + 2) / 3);
    std::uint32_t acc = 0;
    int bits = 0;
    for (std::size_t i = 0; i < size; ++i) {
        acc = (acc << 8) | data[i];
        bits += 8;
        while (bits >= 6) {
            bits -= 6;
            out += alphabet[(acc >> bits) & 63];
        }
    }
    if (bits > 0)
        out += alphabet[(acc << (6 - bits)) & 63];
    return out;
}

std::optional<Bytes> base64Decode(std::string_view text)
{
    if (text.size() % 4 == 1)
        return std::nullopt;
    Bytes out;
    out.reserve(text.size() * 3 / 4);
    std::uint32_t acc = 0;
    int bits = 0;
    for (char c : text) {
        const int v = valueOf(c);
        if (v < 0)
            return std::nullopt;
        acc = (acc << 6) | std::uint32_t(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out.push_back(std::uint8_t(acc >> bits));
        }
    }
    // Leftover bits are padding in the encoder; a canonical encoding leaves them zero.
    if (bits > 0 && (acc & ((1u << bits) - 1)) != 0)
        return std::nullopt;
    return out;
}

} // namespace age
