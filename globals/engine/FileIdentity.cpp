#include "globals/engine/FileIdentity.h"

#include <fcntl.h>

namespace age {

FileIdentity FileIdentity::of(const struct stat &status)
{
    return {status.st_dev, status.st_ino, status.st_size, status.st_mtim, status.st_mode};
}

bool FileIdentity::sameFileAs(const FileIdentity &other) const
{
    return known() && other.known() && device == other.device && inode == other.inode;
}

bool FileIdentity::unchangedFrom(const FileIdentity &other) const
{
    return sameFileAs(other) && size == other.size && modified.tv_sec == other.modified.tv_sec &&
           modified.tv_nsec == other.modified.tv_nsec;
}

std::optional<FileIdentity> identityAt(int dirFd, const std::string &path)
{
    struct stat status;
    if (::fstatat(dirFd, path.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0)
        return std::nullopt;
    return FileIdentity::of(status);
}

std::optional<FileIdentity> identityAt(const std::string &path)
{
    return identityAt(AT_FDCWD, path);
}

} // namespace age
