#include "globals/batch/TreeRemoval.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace batch {

namespace {

std::vector<std::string> namesIn(int fd)
{
    std::vector<std::string> names;
    const int listFd = ::dup(fd);
    DIR *dir = listFd < 0 ? nullptr : ::fdopendir(listFd);
    if (!dir) {
        if (listFd >= 0)
            ::close(listFd);
        return names;
    }
    while (const dirent *entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    return names;
}

} // namespace

void removeTree(int dirFd, const std::string &name)
{
    if (::unlinkat(dirFd, name.c_str(), 0) == 0)
        return;
    const int fd = ::openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fchmod(fd, S_IRWXU);
    for (const std::string &child : namesIn(fd))
        removeTree(fd, child);
    ::close(fd);
    ::unlinkat(dirFd, name.c_str(), AT_REMOVEDIR);
}

} // namespace batch
