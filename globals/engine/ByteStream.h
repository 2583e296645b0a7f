#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "globals/engine/AgeFailure.h"
#include "globals/engine/Base64.h"

namespace age {

// Where bytes come from. readSome returns 0 only at the end; a read error is reported
// through `failure` and also ends the stream.
class VANTRELGLOBALS_EXPORT ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::size_t readSome(std::uint8_t *buffer, std::size_t size, Failure &failure) = 0;
};

// Where bytes go. write stores all of them or reports why not.
class VANTRELGLOBALS_EXPORT ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual Failure write(const std::uint8_t *data, std::size_t size) = 0;
};

class VANTRELGLOBALS_EXPORT MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : m_bytes(bytes) {}
    std::size_t readSome(std::uint8_t *buffer, std::size_t size, Failure &failure) override;

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position = 0;
};

// Reads an open file descriptor it does not own; `name` appears in error messages.
class VANTRELGLOBALS_EXPORT FdSource final : public ByteSource {
public:
    FdSource(int fd, std::string name) : m_fd(fd), m_name(std::move(name)) {}
    std::size_t readSome(std::uint8_t *buffer, std::size_t size, Failure &failure) override;

private:
    int m_fd;
    std::string m_name;
};

class VANTRELGLOBALS_EXPORT FdSink final : public ByteSink {
public:
    FdSink(int fd, std::string name) : m_fd(fd), m_name(std::move(name)) {}
    Failure write(const std::uint8_t *data, std::size_t size) override;

private:
    int m_fd;
    std::string m_name;
};

class VANTRELGLOBALS_EXPORT VectorSink final : public ByteSink {
public:
    Failure write(const std::uint8_t *data, std::size_t size) override;
    Bytes bytes;
};

// Accepts and forgets everything: used to check a file without writing it.
class VANTRELGLOBALS_EXPORT NullSink final : public ByteSink {
public:
    Failure write(const std::uint8_t *, std::size_t) override { return {}; }
};

// Buffered reading on top of a source: whole lines for the header, exact amounts for the
// payload, and a running count of the bytes handed out.
class VANTRELGLOBALS_EXPORT ByteReader {
public:
    explicit ByteReader(ByteSource &source) : m_source(source) {}

    // The next line including its '\n'. nullopt when the stream ends first or the line
    // would exceed maxSize bytes; `failure` is set on a read error.
    std::optional<std::string> readLine(std::size_t maxSize, Failure &failure);
    // Reads until `size` bytes or the end; returns how many arrived.
    std::size_t readFully(std::uint8_t *buffer, std::size_t size, Failure &failure);
    std::uint64_t offset() const { return m_offset; }

private:
    bool refill(Failure &failure);

    ByteSource &m_source;
    Bytes m_buffer = Bytes(64 * 1024);
    std::size_t m_begin = 0, m_end = 0;
    std::uint64_t m_offset = 0;
};

} // namespace age
