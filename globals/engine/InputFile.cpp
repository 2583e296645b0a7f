#include "globals/engine/InputFile.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace age {

InputFile::~InputFile()
{
    if (m_owned && m_fd >= 0)
        ::close(m_fd);
}

Failure InputFile::open(const std::string &path) { return openWith(path, O_RDONLY | O_CLOEXEC); }

Failure InputFile::openRegular(const std::string &path)
{
    if (Failure f = openWith(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK))
        return f;
    if (!m_identity.isRegular())
        return Failure::io(path + " is not a regular file");
    // Reads from a regular file never block; the flag is cleared all the same.
    if (::fcntl(m_fd, F_SETFL, ::fcntl(m_fd, F_GETFL) & ~O_NONBLOCK) != 0)
        return Failure::system(path, errno);
    return {};
}

Failure InputFile::openWith(const std::string &path, int flags)
{
    if (path.empty())
        return Failure::io("empty source path");
    m_fd = ::open(path.c_str(), flags);
    if (m_fd < 0)
        return errno == ENOENT ? Failure::io("file not found: " + path)
                               : Failure::system(path, errno);
    m_owned = true;
    return readStatus(path);
}

Failure InputFile::openStandardInput()
{
    m_fd = STDIN_FILENO;
    return readStatus("standard input");
}

Failure InputFile::readStatus(const std::string &name)
{
    struct stat status;
    if (::fstat(m_fd, &status) != 0)
        return Failure::system(name, errno);
    m_identity = FileIdentity::of(status);
    if (S_ISDIR(status.st_mode))
        return Failure::io(name + " is a folder");
    return {};
}

std::uint64_t InputFile::size() const
{
    return m_identity.isRegular() ? std::uint64_t(m_identity.size) : 0;
}

bool InputFile::isSameFileAs(const std::string &path) const
{
    struct stat other;
    return ::stat(path.c_str(), &other) == 0 && FileIdentity::of(other).sameFileAs(m_identity);
}

} // namespace age
