#include "platform/registry/NameFolding.h"

#include <cwctype>
#include <locale.h>

namespace registry {
namespace {

struct CodePoint {
    char32_t value;
    std::size_t length; // 0 when the bytes at this place are not valid UTF-8
};

CodePoint decodeAt(std::string_view text, std::size_t at)
{
    const auto lead = static_cast<unsigned char>(text[at]);
    if (lead < 0x80)
        return {lead, 1};
    std::size_t length = lead >= 0xF0 && lead < 0xF5 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (lead >= 0xF5 || length == 0 || at + length > text.size())
        return {0, 0};
    char32_t value = lead & (0x7F >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(text[at + i]);
        if ((next & 0xC0) != 0x80)
            return {0, 0};
        value = (value << 6) | (next & 0x3F);
    }
    const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    if (overlong || surrogate || value > 0x10FFFF)
        return {0, 0};
    return {value, length};
}

void appendUtf8(std::string &out, char32_t value)
{
    if (value < 0x80) {
        out += static_cast<char>(value);
    } else if (value < 0x800) {
        out += static_cast<char>(0xC0 | (value >> 6));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else if (value < 0x10000) {
        out += static_cast<char>(0xE0 | (value >> 12));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (value >> 18));
        out += static_cast<char>(0x80 | ((value >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((value >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (value & 0x3F));
    }
}

// The case table of the C library's UTF-8 locale, independent of the user's own locale.
locale_t unicodeCaseTable()
{
    static const locale_t table = newlocale(LC_CTYPE_MASK, "C.UTF-8", locale_t{});
    return table;
}

char32_t upper(char32_t value)
{
    if (value < 0x80)
        return value >= 'a' && value <= 'z' ? value - ('a' - 'A') : value;
    const locale_t table = unicodeCaseTable();
    if (table == locale_t{})
        return value;
    const auto folded = static_cast<char32_t>(towupper_l(static_cast<wint_t>(value), table));
    return folded == 0 ? value : folded;
}

} // namespace

std::string foldName(std::string_view utf8)
{
    std::string folded;
    folded.reserve(utf8.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const CodePoint point = decodeAt(utf8, at);
        if (point.length == 0) {
            folded += utf8[at++];
            continue;
        }
        appendUtf8(folded, upper(point.value));
        at += point.length;
    }
    return folded;
}

std::size_t characterCount(std::string_view utf8)
{
    std::size_t count = 0;
    for (std::size_t at = 0; at < utf8.size(); ++count) {
        const std::size_t length = decodeAt(utf8, at).length;
        at += length == 0 ? 1 : length;
    }
    return count;
}

} // namespace registry
