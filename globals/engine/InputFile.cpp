#include "InputFile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace age {

InputFile::~InputFile()
{
    if (fd_ >= 0)
        ::close(fd_);
}

Failure InputFile::open(const std::string &path)
{
    if (path.empty())
        return Failure::io("empty source path");
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0)
        return Failure::io(errno == ENOENT ? "file not found: " + path : path + ": " + std::strerror(errno));
    if (::fstat(fd_, &status_) != 0)
        return Failure::io(path + ": " + std::strerror(errno));
    if (S_ISDIR(status_.st_mode))
        return Failure::io(path + " is a folder");
    return {};
}

bool InputFile::isSameFileAs(const std::string &path) const
{
    struct stat other;
    return ::stat(path.c_str(), &other) == 0 && other.st_dev == status_.st_dev && other.st_ino == status_.st_ino;
}

} // namespace age
