#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <string_view>

#include "globals/engine/ByteStream.h"

namespace age {

// The text form of an age file: the binary file in standard base64 with padding, 64 columns a
// line, between a begin and an end line.
inline constexpr std::string_view armorBegin = "-----BEGIN AGE ENCRYPTED FILE-----";
inline constexpr std::string_view armorEnd = "-----END AGE ENCRYPTED FILE-----";

// Writes what it is given to `text` in armored form; finish() writes the last line and the
// end line, and must be called once everything else was written.
class VANTRELGLOBALS_EXPORT ArmorSink final : public ByteSink {
public:
    explicit ArmorSink(ByteSink &text) : m_text(text) {}
    Failure write(const std::uint8_t *data, std::size_t size) override;
    Failure finish();

private:
    Failure writeLines(const std::uint8_t *data, std::size_t size);

    ByteSink &m_text;
    Bytes m_pending; // fewer bytes than one line holds
    bool m_begun = false;
};

// Reads an age file from `raw` whether it is binary or armored: an armored file is decoded,
// strictly (full lines but the last, canonical padding, lines ending in LF or CRLF, nothing but
// white space before the begin and after the end line); any other input passes through
// unchanged.
class VANTRELGLOBALS_EXPORT AnyAgeSource final : public ByteSource {
public:
    explicit AnyAgeSource(ByteSource &raw) : m_raw(raw), m_reader(m_prefix) {}
    std::size_t readSome(std::uint8_t *buffer, std::size_t size, Failure &failure) override;
    // Known after the first read.
    bool armored() const { return m_mode == Mode::Armored; }

private:
    enum class Mode { Unknown, Binary, Armored, Ended };
    // The bytes read to tell the form, then the rest of the raw input.
    class PrefixSource final : public ByteSource {
    public:
        std::size_t readSome(std::uint8_t *buffer, std::size_t size, Failure &failure) override;
        Bytes bytes;
        std::size_t position = 0;
        ByteSource *rest = nullptr;
    };

    void detect(Failure &failure);
    bool decodeLine(Failure &failure);
    bool endsWithoutLineEnd(Failure &failure);
    bool checkTrailer(Failure &failure);

    ByteSource &m_raw;
    PrefixSource m_prefix;
    ByteReader m_reader;
    Mode m_mode = Mode::Unknown;
    Bytes m_decoded;
    std::size_t m_decodedPosition = 0;
    bool m_shortLineSeen = false;
};

} // namespace age
