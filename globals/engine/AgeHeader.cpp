#include "globals/engine/AgeHeader.h"

#include <algorithm>

namespace age {

namespace {
constexpr std::string_view versionPrefix = "age-encryption.org/";
constexpr std::string_view versionLine = "age-encryption.org/v1\n";
constexpr std::size_t bodyLineColumns = 64;

bool startsWith(const std::string &text, std::string_view prefix)
{
    return text.compare(0, prefix.size(), prefix) == 0;
}

std::optional<std::vector<std::string>> splitArguments(std::string_view text)
{
    std::vector<std::string> args;
    std::size_t start = 0;
    for (;;) {
        const std::size_t space = text.find(' ', start);
        const std::string_view arg = text.substr(start, space - start);
        if (arg.empty() ||
            !std::all_of(arg.begin(), arg.end(), [](char c) { return c >= 0x21 && c <= 0x7e; }))
            return std::nullopt;
        args.emplace_back(arg);
        if (space == std::string_view::npos)
            return args;
        start = space + 1;
    }
}

class HeaderParser {
public:
    HeaderParser(ByteReader &reader, Failure &failure) : m_reader(reader), m_failure(failure) {}

    std::optional<Header> parse()
    {
        if (!readVersion())
            return std::nullopt;
        Header header;
        for (;;) {
            auto line = nextLine();
            if (!line)
                return std::nullopt;
            if (startsWith(*line, "-> ")) {
                auto stanza = readStanza(*line);
                if (!stanza)
                    return std::nullopt;
                header.stanzas.push_back(std::move(*stanza));
            } else if (startsWith(*line, "---")) {
                return finish(std::move(header), *line);
            } else {
                return fail("unexpected line in the header");
            }
        }
    }

private:
    bool readVersion()
    {
        auto line = m_reader.readLine(256, m_failure);
        if (!line || !startsWith(*line, versionPrefix)) {
            if (!m_failure)
                m_failure = {FailureKind::NotAgeFile, {}, 0};
            return false;
        }
        if (*line != versionLine) {
            m_failure = {FailureKind::UnsupportedVersion, {}, 0};
            return false;
        }
        m_raw = *line;
        return true;
    }

    std::optional<std::string> nextLine()
    {
        const std::size_t room = maxHeaderSize - std::min(maxHeaderSize, m_raw.size());
        auto line = m_reader.readLine(room, m_failure);
        if (!line) {
            if (!m_failure)
                fail(room == 0 ? "header too large" : "header ends early");
            return std::nullopt;
        }
        m_raw += *line;
        return line;
    }

    std::optional<Stanza> readStanza(const std::string &argLine)
    {
        auto args = splitArguments(std::string_view(argLine).substr(3, argLine.size() - 4));
        if (!args)
            return fail("bad stanza arguments"), std::nullopt;
        std::string encoded;
        for (;;) {
            auto line = nextLine();
            if (!line)
                return std::nullopt;
            const std::size_t columns = line->size() - 1;
            if (columns > bodyLineColumns)
                return fail("stanza body line too long"), std::nullopt;
            encoded.append(*line, 0, columns);
            if (columns < bodyLineColumns)
                break;
        }
        auto body = base64Decode(encoded);
        if (!body)
            return fail("stanza body is not canonical base64"), std::nullopt;
        return Stanza{std::move(*args), std::move(*body)};
    }

    std::optional<Header> finish(Header header, const std::string &line)
    {
        if (header.stanzas.empty())
            return fail("no stanza");
        constexpr std::size_t macColumns = 43;
        if (line.size() != 4 + macColumns + 1 || line[3] != ' ')
            return fail("bad MAC line");
        auto mac = base64Decode(std::string_view(line).substr(4, macColumns));
        if (!mac)
            return fail("MAC is not canonical base64");
        header.macInput = m_raw.substr(0, m_raw.size() - line.size() + 3);
        header.mac = std::move(*mac);
        return header;
    }

    std::nullopt_t fail(const char *what)
    {
        m_failure = Failure::header(what);
        return std::nullopt;
    }

    ByteReader &m_reader;
    Failure &m_failure;
    std::string m_raw;
};
} // namespace

std::optional<Header> parseHeader(ByteReader &reader, Failure &failure)
{
    return HeaderParser(reader, failure).parse();
}

std::string encodeHeaderWithoutMac(const std::vector<Stanza> &stanzas)
{
    std::string text(versionLine);
    for (const Stanza &stanza : stanzas) {
        text += "->";
        for (const std::string &arg : stanza.args)
            text += ' ' + arg;
        text += '\n';
        const std::string body = base64Encode(stanza.body);
        // Full 64-column lines, then a shorter final line, which is empty when the body
        // fills its last line exactly.
        for (std::size_t at = 0;; at += bodyLineColumns) {
            text += body.substr(at, bodyLineColumns) + '\n';
            if (body.size() - at < bodyLineColumns)
                break;
        }
    }
    return text + "---";
}

Key32 headerMacKey(const std::uint8_t *fileKey, std::size_t size)
{
    return hkdfSha256(fileKey, size, nullptr, 0, "header");
}

Key32 headerMac(const std::string &macInput, const Key32 &macKey)
{
    return hmacSha256(macKey, reinterpret_cast<const std::uint8_t *>(macInput.data()),
                      macInput.size());
}

std::string encodeHeader(const std::vector<Stanza> &stanzas, const Key32 &macKey)
{
    const std::string text = encodeHeaderWithoutMac(stanzas);
    const Key32 mac = headerMac(text, macKey);
    return text + ' ' + base64Encode(mac.data(), mac.size()) + '\n';
}

} // namespace age
