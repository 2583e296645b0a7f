#include "ByteStream.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <unistd.h>

namespace age {

namespace {
Failure systemFailure(const std::string &name, int error)
{
    return Failure::io(name + ": " + std::strerror(error));
}
} // namespace

std::size_t MemorySource::readSome(std::uint8_t *buffer, std::size_t size, Failure &)
{
    const std::size_t n = std::min(size, bytes_.size() - position_);
    std::copy_n(bytes_.data() + position_, n, buffer);
    position_ += n;
    return n;
}

std::size_t FdSource::readSome(std::uint8_t *buffer, std::size_t size, Failure &failure)
{
    for (;;) {
        const ssize_t n = ::read(fd_, buffer, size);
        if (n >= 0)
            return std::size_t(n);
        if (errno != EINTR) {
            failure = systemFailure(name_, errno);
            return 0;
        }
    }
}

Failure FdSink::write(const std::uint8_t *data, std::size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd_, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return systemFailure(name_, errno);
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
    if (begin_ > 0) {
        std::memmove(buffer_.data(), buffer_.data() + begin_, end_ - begin_);
        end_ -= begin_;
        begin_ = 0;
    }
    if (end_ == buffer_.size())
        buffer_.resize(buffer_.size() * 2);
    const std::size_t n = source_.readSome(buffer_.data() + end_, buffer_.size() - end_, failure);
    end_ += n;
    return n > 0;
}

std::optional<std::string> ByteReader::readLine(std::size_t maxSize, Failure &failure)
{
    std::size_t scanned = 0;
    for (;;) {
        const auto first = buffer_.begin() + std::ptrdiff_t(begin_);
        const auto last = buffer_.begin() + std::ptrdiff_t(std::min(end_, begin_ + maxSize));
        const auto newline = std::find(first + std::ptrdiff_t(scanned), last, '\n');
        if (newline != last) {
            std::string line(first, newline + 1);
            begin_ += line.size();
            offset_ += line.size();
            return line;
        }
        scanned = std::size_t(last - first);
        if (scanned >= maxSize || !refill(failure))
            return std::nullopt;
    }
}

std::size_t ByteReader::readFully(std::uint8_t *buffer, std::size_t size, Failure &failure)
{
    std::size_t done = std::min(size, end_ - begin_);
    std::memcpy(buffer, buffer_.data() + begin_, done);
    begin_ += done;
    while (done < size) {
        const std::size_t n = source_.readSome(buffer + done, size - done, failure);
        if (n == 0)
            break;
        done += n;
    }
    offset_ += done;
    return done;
}

} // namespace age
