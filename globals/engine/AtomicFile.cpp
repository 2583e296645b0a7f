#include "globals/engine/AtomicFile.h"

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
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
        S_ISREG(opened.st_mode) && ::fstatat(dirFd, name, &named, AT_SYMLINK_NOFOLLOW) == 0 &&
        sameFile(opened, named))
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
    if (m_fd >= 0)
        ::close(m_fd);
    if (m_named && !m_temporaryName.empty())
        ::unlinkat(m_dirFd, m_temporaryName.c_str(), 0);
    if (m_dirFd >= 0)
        ::close(m_dirFd);
}

Failure AtomicFile::create(const std::string &destination)
{
    if (destination.empty())
        return Failure::io("empty destination path");
    const std::filesystem::path path(destination);
    m_folder = path.has_parent_path() ? path.parent_path().string() : ".";
    m_name = path.filename().string();
    if (m_name.empty() || m_name == "." || m_name == "..")
        return Failure::io(destination + " is a folder");
    m_dirFd = ::open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_dirFd < 0)
        return errno == ENOENT ? Failure::io("folder missing: " + m_folder)
                               : systemFailure(m_folder);
    struct stat existing;
    if (::fstatat(m_dirFd, m_name.c_str(), &existing, 0) == 0 && S_ISDIR(existing.st_mode))
        return Failure::io(destination + " is a folder");
    removeStaleTemporaries(m_dirFd);
    return createTemporary();
}

Failure AtomicFile::createTemporary()
{
    m_fd = ::openat(m_dirFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (m_fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        m_named = true;
        for (int attempt = 0; m_fd < 0 && attempt < 16; ++attempt) {
            m_temporaryName = randomName();
            m_fd = ::openat(m_dirFd, m_temporaryName.c_str(),
                            O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
            if (m_fd < 0 && errno != EEXIST)
                break;
        }
        if (m_fd < 0)
            m_temporaryName.clear();
    }
    if (m_fd < 0)
        return systemFailure(m_folder);
    ::flock(m_fd, LOCK_EX);
    return {};
}

Failure AtomicFile::giveTemporaryName()
{
    const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
    for (int attempt = 0; attempt < 16; ++attempt) {
        m_temporaryName = randomName();
        if (::linkat(AT_FDCWD, self.c_str(), m_dirFd, m_temporaryName.c_str(), AT_SYMLINK_FOLLOW) ==
                0 ||
            ::linkat(m_fd, "", m_dirFd, m_temporaryName.c_str(), AT_EMPTY_PATH) == 0) {
            m_named = true;
            return {};
        }
        if (errno != EEXIST)
            break;
    }
    const int error = errno;
    m_temporaryName.clear();
    return systemFailure(m_folder, error);
}

Failure AtomicFile::commit()
{
    if (::fsync(m_fd) != 0)
        return systemFailure(m_folder + "/" + m_name);
    if (!m_named)
        if (Failure f = giveTemporaryName())
            return f;
    if (::renameat(m_dirFd, m_temporaryName.c_str(), m_dirFd, m_name.c_str()) != 0)
        return systemFailure(m_folder + "/" + m_name);
    m_temporaryName.clear();
    ::close(m_fd);
    m_fd = -1;
    if (::fsync(m_dirFd) != 0)
        return systemFailure(m_folder);
    return {};
}

} // namespace age
