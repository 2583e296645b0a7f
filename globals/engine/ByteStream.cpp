#include "globals/engine/ByteStream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace age {

std::size_t MemorySource::readSome(std::uint8_t *buffer, std::size_t size, Failure &)
{
    const std::size_t n = std::min(size, m_bytes.size() - m_position);
    std::copy_n(m_bytes.data() + m_position, n, buffer);
    m_position += n;
    return n;
}

std::size_t FdSource::readSome(std::uint8_t *buffer, std::size_t size, Failure &failure)
{
    for (;;) {
        const ssize_t n = ::read(m_fd, buffer, size);
        if (n >= 0)
            return std::size_t(n);
        if (errno != EINTR) {
            failure = Failure::system(m_name, errno);
            return 0;
        }
    }
}

Failure FdSink::write(const std::uint8_t *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(m_fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return Failure::system(m_name, errno);
        }
        data += n;
        size -= std::size_t(n);
    }
    return {};
}

Failure VectorSink::write(const std::uint8_t *data, std::size_t size)
{
    bytes.insert(bytes.end(), data, data + size);
    return {};
}

bool ByteReader::refill(Failure &failure)
{
    if (m_begin > 0) {
        std::memmove(m_buffer.data(), m_buffer.data() + m_begin, m_end - m_begin);
        m_end -= m_begin;
        m_begin = 0;
    }
    if (m_end == m_buffer.size())
        m_buffer.resize(m_buffer.size() * 2);
    const std::size_t n =
        m_source.readSome(m_buffer.data() + m_end, m_buffer.size() - m_end, failure);
    m_end += n;
    return n > 0;
}

std::optional<std::string> ByteReader::readLine(std::size_t maxSize, Failure &failure)
{
    std::size_t scanned = 0;
    for (;;) {
        const auto first = m_buffer.begin() + std::ptrdiff_t(m_begin);
        const auto last = m_buffer.begin() + std::ptrdiff_t(std::min(m_end, m_begin + maxSize));
        const auto newline = std::find(first + std::ptrdiff_t(scanned), last, '\n');
        if (newline != last) {
            std::string line(first, newline + 1);
            m_begin += line.size();
            m_offset += line.size();
            return line;
        }
        scanned = std::size_t(last - first);
        if (scanned >= maxSize || !refill(failure))
            return std::nullopt;
    }
}

std::size_t ByteReader::readFully(std::uint8_t *buffer, std::size_t size, Failure &failure)
{
    std::size_t done = std::min(size, m_end - m_begin);
    std::memcpy(buffer, m_buffer.data() + m_begin, done);
    m_begin += done;
    while (done < size) {
        const std::size_t n = m_source.readSome(buffer + done, size - done, failure);
        if (n == 0)
            break;
        done += n;
    }
    m_offset += done;
    return done;
}

} // namespace age
