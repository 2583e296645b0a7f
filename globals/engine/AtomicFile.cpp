#include "AtomicFile.h"

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sodium.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace age {

namespace {
Failure systemFailure(const std::string &what, int error = errno)
{
    return Failure::io(what + ": " + std::strerror(error));
}

std::string randomName()
{
    std::uint8_t bytes[9];
    randombytes_buf(bytes, sizeof bytes);
    std::string name = AtomicFile::temporaryPrefix;
    for (std::uint8_t b : bytes)
        name += "0123456789abcdef"[b >> 4], name += "0123456789abcdef"[b & 15];
    return name;
}

bool sameFile(const struct stat &a, const struct stat &b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

void removeIfAbandoned(int dirFd, const char *name)
{
    const int fd = ::openat(dirFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat opened, named;
    // A live writer holds the lock; only a file nobody holds is left over from a dead run.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode)
        && ::fstatat(dirFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && sameFile(opened, named))
        ::unlinkat(dirFd, name, 0);
    ::close(fd);
}
} // namespace

void removeStaleTemporaries(int dirFd)
{
    const int listFd = ::dup(dirFd);
    DIR *dir = listFd < 0 ? nullptr : ::fdopendir(listFd);
    if (!dir) {
        if (listFd >= 0)
            ::close(listFd);
        return;
    }
    ::rewinddir(dir);
    const std::size_t prefixSize = std::strlen(AtomicFile::temporaryPrefix);
    while (const dirent *entry = ::readdir(dir))
        if (std::strncmp(entry->d_name, AtomicFile::temporaryPrefix, prefixSize) == 0)
            removeIfAbandoned(dirFd, entry->d_name);
    ::closedir(dir);
}

AtomicFile::~AtomicFile()
{
    if (fd_ >= 0)
        ::close(fd_);
    if (named_ && !temporaryName_.empty())
        ::unlinkat(dirFd_, temporaryName_.c_str(), 0);
    if (dirFd_ >= 0)
        ::close(dirFd_);
}

Failure AtomicFile::create(const std::string &destination)
{
    if (destination.empty())
        return Failure::io("empty destination path");
    const std::filesystem::path path(destination);
    folder_ = path.has_parent_path() ? path.parent_path().string() : ".";
    name_ = path.filename().string();
    if (name_.empty() || name_ == "." || name_ == "..")
        return Failure::io(destination + " is a folder");
    dirFd_ = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd_ < 0)
        return errno == ENOENT ? Failure::io("folder missing: " + folder_) : systemFailure(folder_);
    struct stat existing;
    if (::fstatat(dirFd_, name_.c_str(), &existing, 0) == 0 && S_ISDIR(existing.st_mode))
        return Failure::io(destination + " is a folder");
    removeStaleTemporaries(dirFd_);
    return createTemporary();
}

Failure AtomicFile::createTemporary()
{
    fd_ = ::openat(dirFd_, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (fd_ < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        named_ = true;
        for (int attempt = 0; fd_ < 0 && attempt < 16; ++attempt) {
            temporaryName_ = randomName();
            fd_ = ::openat(dirFd_, temporaryName_.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
            if (fd_ < 0 && errno != EEXIST)
                break;
        }
        if (fd_ < 0)
            temporaryName_.clear();
    }
    if (fd_ < 0)
        return systemFailure(folder_);
    ::flock(fd_, LOCK_EX);
    return {};
}

Failure AtomicFile::giveTemporaryName()
{
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; attempt < 16; ++attempt) {
        temporaryName_ = randomName();
        if (::linkat(AT_FDCWD, self.c_str(), dirFd_, temporaryName_.c_str(), AT_SYMLINK_FOLLOW) == 0
            || ::linkat(fd_, "", dirFd_, temporaryName_.c_str(), AT_EMPTY_PATH) == 0) {
            named_ = true;
            return {};
        }
        if (errno != EEXIST)
            break;
    }
    const int error = errno;
    temporaryName_.clear();
    return systemFailure(folder_, error);
}

Failure AtomicFile::commit()
{
    if (::fsync(fd_) != 0)
        return systemFailure(folder_ + "/" + name_);
    if (!named_)
        if (Failure f = giveTemporaryName())
            return f;
    if (::renameat(dirFd_, temporaryName_.c_str(), dirFd_, name_.c_str()) != 0)
        return systemFailure(folder_ + "/" + name_);
    temporaryName_.clear();
    ::close(fd_);
    fd_ = -1;
    if (::fsync(dirFd_) != 0)
        return systemFailure(folder_);
    return {};
}

} // namespace age
