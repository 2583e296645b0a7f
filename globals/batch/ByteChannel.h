#pragma once
#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <vector>

#include "globals/engine/ByteStream.h"

namespace batch {

// A bounded pipe between two threads of one process: what the archive side writes the engine
// reads, or the other way round. Either side may give up; the other then hears of it instead
// of waiting forever, and no signal is raised.
class ByteChannel {
public:
    explicit ByteChannel(std::size_t capacity = 1024 * 1024);

    // Writer: false once the reader gave up.
    bool write(const std::uint8_t *data, std::size_t size);
    // Writer: no more data; a non-empty `failure` says the data is incomplete and why.
    void closeWriting(const std::string &failure = {});
    // Reader: up to `size` bytes; 0 at the end (see writerFailure()).
    std::size_t read(std::uint8_t *buffer, std::size_t size);
    // Reader: gives up; writes fail from now on.
    void closeReading();
    std::string writerFailure() const;

private:
    const std::size_t m_capacity;
    std::vector<std::uint8_t> m_buffer;
    std::size_t m_begin = 0;
    bool m_writingClosed = false, m_readingClosed = false;
    std::string m_writerFailure;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
};

// The engine's end of a channel that it writes into.
class ChannelSink final : public age::ByteSink {
public:
    explicit ChannelSink(ByteChannel &channel) : m_channel(channel) {}
    age::Failure write(const std::uint8_t *data, std::size_t size) override;

private:
    ByteChannel &m_channel;
};

// The engine's end of a channel that it reads from; `progress` hears how many bytes were read
// so far, on the reading thread.
class ChannelSource final : public age::ByteSource {
public:
    ChannelSource(ByteChannel &channel, std::function<void(std::uint64_t)> progress)
        : m_channel(channel), m_progress(std::move(progress))
    {
    }
    std::size_t readSome(std::uint8_t *buffer, std::size_t size, age::Failure &failure) override;

private:
    ByteChannel &m_channel;
    std::function<void(std::uint64_t)> m_progress;
    std::uint64_t m_bytesRead = 0;
};

} // namespace batch
