// The armored text form: written exactly, read strictly, and binary files passed through.
#include <gtest/gtest.h>

#include <sodium.h>

#include "globals/engine/Armor.h"

namespace {

std::string armored(const age::Bytes &bytes, std::size_t pieceSize)
{
    age::VectorSink text;
    age::ArmorSink sink(text);
    for (std::size_t at = 0; at < bytes.size(); at += pieceSize)
        EXPECT_FALSE(sink.write(bytes.data() + at, std::min(pieceSize, bytes.size() - at)));
    EXPECT_FALSE(sink.finish());
    return std::string(text.bytes.begin(), text.bytes.end());
}

// Everything `input` yields through AnyAgeSource, and the failure that ended it.
std::pair<std::string, age::Failure> readAll(const std::string &input)
{
    age::MemorySource raw({reinterpret_cast<const std::uint8_t *>(input.data()), input.size()});
    age::AnyAgeSource any(raw);
    std::string out;
    age::Failure failure;
    std::uint8_t buffer[100];
    while (const std::size_t n = any.readSome(buffer, sizeof buffer, failure))
        out.append(reinterpret_cast<const char *>(buffer), n);
    return {out, failure};
}

age::Bytes pattern(std::size_t size)
{
    age::Bytes bytes(size);
    for (std::size_t i = 0; i < size; ++i)
        bytes[i] = std::uint8_t(i * 7 + 3);
    return bytes;
}

} // namespace

TEST(Armor, RoundTripsAtLineBoundariesWhateverThePiecesWritten)
{
    for (std::size_t size : {1, 47, 48, 49, 96, 1000}) {
        const age::Bytes bytes = pattern(size);
        const std::string text = armored(bytes, 1);
        EXPECT_EQ(text, armored(bytes, 50)) << size;
        EXPECT_EQ(text.rfind("-----BEGIN AGE ENCRYPTED FILE-----\n", 0), 0u);
        const std::size_t lines = std::count(text.begin(), text.end(), '\n');
        EXPECT_EQ(lines, 2 + (size + 47) / 48) << "64 columns a line, no empty line";
        const auto [back, failure] = readAll(text);
        EXPECT_FALSE(failure) << failure.message();
        EXPECT_EQ(back, std::string(bytes.begin(), bytes.end())) << size;
    }
}

TEST(Armor, BinaryInputPassesThroughUnchanged)
{
    for (const std::string input : {"", "age-encryption.org/v1\n", "-----BEGIN AGE ENCRYPTED FI"}) {
        const auto [out, failure] = readAll(input);
        EXPECT_FALSE(failure);
        EXPECT_EQ(out, input);
    }
}

TEST(Armor, MalformedArmorIsRefused)
{
    const std::string good = armored(pattern(100), 100);
    const std::string begin = "-----BEGIN AGE ENCRYPTED FILE-----\n";
    const std::string end = "-----END AGE ENCRYPTED FILE-----\n";
    const std::string fullLine = good.substr(begin.size(), 65);
    struct Case {
        std::string text, reason;
    } cases[] = {
        {good.substr(0, good.size() - end.size()), "no end line"},
        {good + "x", "data after the end line"},
        {begin + "AAA=\n" + fullLine + end, "a short line before the end"},
        {begin + "AAB=\n" + end, "not canonical base64"},
        {begin + "AA==\n" + end, ""},
        {begin + "AA\n" + end, "bad line length"},
        {begin + "\n" + end, "bad line length"},
        // Wrapped at 76 columns, as MIME does: the format and the age tool take 64 only.
        {begin + std::string(76, 'A') + "\n" + end, "a line longer than 64 columns"},
        {"-----BEGIN AGE ENCRYPTED FILE----- \n" + end, "bad begin line"},
    };
    for (const Case &c : cases) {
        const age::Failure failure = readAll(c.text).second;
        if (c.reason.empty())
            EXPECT_FALSE(failure) << c.text;
        else
            EXPECT_EQ(failure.message(), "damaged header: armor: " + c.reason) << c.text;
    }
}
