#include "globals/batch/ByteChannel.h"

#include <algorithm>

namespace batch {

ByteChannel::ByteChannel(std::size_t capacity) : m_capacity(capacity) {}

bool ByteChannel::write(const std::uint8_t *data, std::size_t size)
{
    std::unique_lock lock(m_mutex);
    while (size > 0) {
        m_changed.wait(
            lock, [this] { return m_readingClosed || m_buffer.size() - m_begin < m_capacity; });
        if (m_readingClosed)
            return false;
        if (m_begin > 0 && m_begin == m_buffer.size()) {
            m_buffer.clear();
            m_begin = 0;
        }
        const std::size_t n = std::min(size, m_capacity - (m_buffer.size() - m_begin));
        m_buffer.insert(m_buffer.end(), data, data + n);
        data += n;
        size -= n;
        m_changed.notify_all();
    }
    return true;
}

void ByteChannel::closeWriting(const std::string &failure)
{
    {
        const std::lock_guard lock(m_mutex);
        m_writingClosed = true;
        m_writerFailure = failure;
    }
    m_changed.notify_all();
}

std::size_t ByteChannel::read(std::uint8_t *buffer, std::size_t size)
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [this] { return m_writingClosed || m_begin < m_buffer.size(); });
    const std::size_t n = std::min(size, m_buffer.size() - m_begin);
    std::copy_n(m_buffer.begin() + std::ptrdiff_t(m_begin), n, buffer);
    m_begin += n;
    if (m_begin == m_buffer.size()) {
        m_buffer.clear();
        m_begin = 0;
    }
    m_changed.notify_all();
    return n;
}

void ByteChannel::closeReading()
{
    {
        const std::lock_guard lock(m_mutex);
        m_readingClosed = true;
    }
    m_changed.notify_all();
}

std::string ByteChannel::writerFailure() const
{
    const std::lock_guard lock(m_mutex);
    return m_writerFailure;
}

age::Failure ChannelSink::write(const std::uint8_t *data, std::size_t size)
{
    if (!m_channel.write(data, size))
        return age::Failure::io("the archive could not be taken further");
    return {};
}

std::size_t ChannelSource::readSome(std::uint8_t *buffer, std::size_t size, age::Failure &failure)
{
    const std::size_t n = m_channel.read(buffer, size);
    if (n == 0) {
        const std::string why = m_channel.writerFailure();
        if (!why.empty())
            failure = age::Failure::io(why);
    }
    m_bytesRead += n;
    if (m_progress)
        m_progress(m_bytesRead);
    return n;
}

} // namespace batch
