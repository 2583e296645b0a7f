#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <string>

#include "AgeFailure.h"
#include "Base64.h"

namespace age {

// Where bytes come from. readSome returns 0 only at the end; a read error is reported
// through `failure` and also ends the stream.
class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual std::size_t readSome(std::uint8_t *buffer, std::size_t size, Failure &failure) = 0;
};

// Where bytes go. write stores all of them or reports why not.
class ByteSink {
public:
    virtual ~ByteSink() = default;
    virtual Failure write(const std::uint8_t *data, std::size_t size) = 0;
};

class MemorySource final : public ByteSource {
public:
    explicit MemorySource(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
    std::size_t readSome(std::uint8_t *buffer, std::size_t size, Failure &failure) override;

private:
    std::span<const std::uint8_t> bytes_;
    std::size_t position_ = 0;
};

// Reads an open file descriptor it does not own; `name` appears in error messages.
class FdSource final : public ByteSource {
public:
    FdSource(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}
    std::size_t readSome(std::uint8_t *buffer, std::size_t size, Failure &failure) override;

private:
    int fd_;
    std::string name_;
};

class FdSink final : public ByteSink {
public:
    FdSink(int fd, std::string name) : fd_(fd), name_(std::move(name)) {}
    Failure write(const std::uint8_t *data, std::size_t size) override;

private:
    int fd_;
    std::string name_;
};

class VectorSink final : public ByteSink {
public:
    Failure write(const std::uint8_t *data, std::size_t size) override;
    Bytes bytes;
};

// Accepts and forgets everything: used to check a file without writing it.
class NullSink final : public ByteSink {
public:
    Failure write(const std::uint8_t *, std::size_t) override { return {}; }
};

// Buffered reading on top of a source: whole lines for the header, exact amounts for the
// payload, and a running count of the bytes handed out.
class ByteReader {
public:
    explicit ByteReader(ByteSource &source) : source_(source) {}

    // The next line including its '\n'. nullopt when the stream ends first or the line
    // would exceed maxSize bytes; `failure` is set on a read error.
    std::optional<std::string> readLine(std::size_t maxSize, Failure &failure);
    // Reads until `size` bytes or the end; returns how many arrived.
    std::size_t readFully(std::uint8_t *buffer, std::size_t size, Failure &failure);
    std::uint64_t offset() const { return offset_; }

private:
    bool refill(Failure &failure);

    ByteSource &source_;
    Bytes buffer_ = Bytes(64 * 1024);
    std::size_t begin_ = 0, end_ = 0;
    std::uint64_t offset_ = 0;
};

} // namespace age
