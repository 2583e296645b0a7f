#include "globals/engine/Armor.h"

#include <algorithm>
#include <cstring>
#include <sodium.h>

namespace age {

namespace {
constexpr std::size_t lineColumns = 64;
constexpr std::size_t lineBytes = lineColumns / 4 * 3;
// White space allowed before the begin line and after the end line.
constexpr std::size_t maxOuterWhiteSpace = 1024;

Failure armorFailure(const char *what) { return Failure::header(std::string("armor: ") + what); }

Failure writeText(ByteSink &sink, std::string_view text)
{
    return sink.write(reinterpret_cast<const std::uint8_t *>(text.data()), text.size());
}

// Strips the line end: "\n" or "\r\n".
std::string_view lineBody(const std::string &line)
{
    std::string_view body(line);
    body.remove_suffix(1);
    if (!body.empty() && body.back() == '\r')
        body.remove_suffix(1);
    return body;
}

bool isWhiteSpace(std::uint8_t c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
} // namespace

Failure ArmorSink::write(const std::uint8_t *data, std::size_t size)
{
    if (!m_pending.empty()) {
        const std::size_t take = std::min(size, lineBytes - m_pending.size());
        m_pending.insert(m_pending.end(), data, data + take);
        data += take, size -= take;
        if (m_pending.size() < lineBytes)
            return {};
        if (Failure f = writeLines(m_pending.data(), m_pending.size()))
            return f;
        m_pending.clear();
    }
    const std::size_t whole = size - size % lineBytes;
    if (Failure f = writeLines(data, whole))
        return f;
    m_pending.assign(data + whole, data + size);
    return {};
}

Failure ArmorSink::finish()
{
    if (!m_begun || !m_pending.empty())
        if (Failure f = writeLines(m_pending.data(), m_pending.size()))
            return f;
    return writeText(m_text, std::string(armorEnd) + "\n");
}

Failure ArmorSink::writeLines(const std::uint8_t *data, std::size_t size)
{
    if (!m_begun) {
        m_begun = true;
        if (Failure f = writeText(m_text, std::string(armorBegin) + "\n"))
            return f;
    }
    std::string text;
    text.reserve((size / lineBytes + 1) * (lineColumns + 1));
    char line[lineColumns + 1];
    for (std::size_t at = 0; at < size; at += lineBytes) {
        const std::size_t n = std::min(lineBytes, size - at);
        sodium_bin2base64(line, sizeof line, data + at, n, sodium_base64_VARIANT_ORIGINAL);
        text += line;
        text += '\n';
    }
    return writeText(m_text, text);
}

std::size_t AnyAgeSource::PrefixSource::readSome(std::uint8_t *buffer, std::size_t size,
                                                 Failure &failure)
{
    if (position < bytes.size()) {
        const std::size_t n = std::min(size, bytes.size() - position);
        std::memcpy(buffer, bytes.data() + position, n);
        position += n;
        return n;
    }
    return rest->readSome(buffer, size, failure);
}

void AnyAgeSource::detect(Failure &failure)
{
    // Read enough to compare the begin line after any white space before it.
    Bytes &bytes = m_prefix.bytes;
    std::size_t start = 0;
    for (;;) {
        while (start < bytes.size() && start < maxOuterWhiteSpace && isWhiteSpace(bytes[start]))
            ++start;
        if (bytes.size() >= start + armorBegin.size() || start == maxOuterWhiteSpace)
            break;
        const std::size_t had = bytes.size();
        bytes.resize(start + armorBegin.size());
        const std::size_t n = m_raw.readSome(bytes.data() + had, bytes.size() - had, failure);
        bytes.resize(had + n);
        if (n == 0 || failure)
            break;
    }
    m_prefix.rest = &m_raw;
    const bool armored =
        bytes.size() >= start + armorBegin.size() &&
        std::memcmp(bytes.data() + start, armorBegin.data(), armorBegin.size()) == 0;
    m_mode = armored ? Mode::Armored : Mode::Binary;
    if (!armored || failure)
        return;
    m_prefix.position = start;
    const auto first = m_reader.readLine(armorBegin.size() + 2, failure);
    if (!failure && (!first || lineBody(*first) != armorBegin))
        failure = armorFailure("bad begin line");
}

std::size_t AnyAgeSource::readSome(std::uint8_t *buffer, std::size_t size, Failure &failure)
{
    if (m_mode == Mode::Unknown)
        detect(failure);
    if (failure)
        return 0;
    if (m_mode == Mode::Binary)
        return m_reader.readFully(buffer, size, failure);
    while (m_decodedPosition == m_decoded.size()) {
        if (m_mode == Mode::Ended || !decodeLine(failure))
            return 0;
    }
    const std::size_t n = std::min(size, m_decoded.size() - m_decodedPosition);
    std::memcpy(buffer, m_decoded.data() + m_decodedPosition, n);
    m_decodedPosition += n;
    return n;
}

bool AnyAgeSource::decodeLine(Failure &failure)
{
    const auto line = m_reader.readLine(lineColumns + 2, failure);
    if (failure)
        return false;
    if (!line)
        return endsWithoutLineEnd(failure);
    const std::string_view body = lineBody(*line);
    if (body == armorEnd) {
        m_mode = Mode::Ended;
        return checkTrailer(failure);
    }
    if (m_shortLineSeen)
        return failure = armorFailure("a short line before the end"), false;
    if (body.empty() || body.size() > lineColumns || body.size() % 4 != 0)
        return failure = armorFailure("bad line length"), false;
    m_shortLineSeen = body.size() < lineColumns || body.back() == '=';
    m_decoded.resize(body.size() / 4 * 3);
    std::size_t decoded = 0;
    const char *end = nullptr;
    if (sodium_base642bin(m_decoded.data(), m_decoded.size(), body.data(), body.size(), nullptr,
                          &decoded, &end, sodium_base64_VARIANT_ORIGINAL) != 0 ||
        end != body.data() + body.size())
        return failure = armorFailure("not canonical base64"), false;
    m_decoded.resize(decoded);
    m_decodedPosition = 0;
    return true;
}

// No line end within a line's length: either the line is longer than a line may be (a wrap at
// more columns, which the format does not allow), or the input ended, where only the end line
// may stand.
bool AnyAgeSource::endsWithoutLineEnd(Failure &failure)
{
    char rest[lineColumns + 2];
    const std::size_t n =
        m_reader.readFully(reinterpret_cast<std::uint8_t *>(rest), sizeof rest, failure);
    m_mode = Mode::Ended;
    if (failure)
        return false;
    if (n == sizeof rest)
        failure = armorFailure("a line longer than 64 columns");
    else if (std::string_view(rest, n) != armorEnd)
        failure = armorFailure("no end line");
    return false;
}

bool AnyAgeSource::checkTrailer(Failure &failure)
{
    std::uint8_t rest[maxOuterWhiteSpace + 1];
    const std::size_t n = m_reader.readFully(rest, sizeof rest, failure);
    if (!failure && (n > maxOuterWhiteSpace || !std::all_of(rest, rest + n, isWhiteSpace)))
        failure = armorFailure("data after the end line");
    return false;
}

} // namespace age
