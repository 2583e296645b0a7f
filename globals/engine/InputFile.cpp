#include "globals/engine/InputFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace age {

InputFile::~InputFile()
{
    if (m_fd >= 0)
        ::close(m_fd);
}

Failure InputFile::open(const std::string &path)
{
    if (path.empty())
        return Failure::io("empty source path");
    m_fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (m_fd < 0)
        return Failure::io(errno == ENOENT ? "file not found: " + path
                                           : path + ": " + std::strerror(errno));
    if (::fstat(m_fd, &m_status) != 0)
        return Failure::io(path + ": " + std::strerror(errno));
    if (S_ISDIR(m_status.st_mode))
        return Failure::io(path + " is a folder");
    return {};
}

bool InputFile::isSameFileAs(const std::string &path) const
{
    struct stat other;
    return ::stat(path.c_str(), &other) == 0 && other.st_dev == m_status.st_dev &&
           other.st_ino == m_status.st_ino;
}

} // namespace age
