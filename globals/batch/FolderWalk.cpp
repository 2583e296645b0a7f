#include "globals/batch/FolderWalk.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace batch {

namespace {

class Walker {
public:
    explicit Walker(const std::function<void(const FoundEntry &)> &visit) : m_visit(visit) {}

    // Reports the folder `entry`, open as `fd` (or not, with `openError`), then its content.
    void folder(FoundEntry entry, int fd)
    {
        if (fd < 0)
            entry.openError = errno;
        m_visit(entry);
        if (fd < 0)
            return;
        for (const std::string &name : namesInFolder(fd))
            child(fd, entry, name);
        ::close(fd);
    }

private:
    void child(int parentFd, const FoundEntry &parent, const std::string &name)
    {
        FoundEntry entry;
        entry.path = joinPath(parent.path, name);
        entry.archiveName = joinPath(parent.archiveName, name);
        if (::fstatat(parentFd, name.c_str(), &entry.status, AT_SYMLINK_NOFOLLOW) != 0)
            return; // gone since it was listed
        if (!S_ISDIR(entry.status.st_mode)) {
            m_visit(entry);
            return;
        }
        folder(entry,
               ::openat(parentFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    }

    const std::function<void(const FoundEntry &)> &m_visit;
};

} // namespace

std::vector<std::string> namesInFolder(int fd)
{
    std::vector<std::string> names;
    const int listFd = ::dup(fd);
    DIR *dir = listFd < 0 ? nullptr : ::fdopendir(listFd);
    if (!dir) {
        if (listFd >= 0)
            ::close(listFd);
        return names;
    }
    // The copy shares its position with `fd`: start from the beginning whatever came before.
    ::rewinddir(dir);
    while (const dirent *entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

std::string joinPath(const std::string &parent, const std::string &name)
{
    if (parent.empty())
        return name;
    return parent.back() == '/' ? parent + name : parent + "/" + name;
}

void walkFolder(const std::string &root, const std::string &rootName,
                const std::function<void(const FoundEntry &)> &visit)
{
    FoundEntry entry;
    entry.path = root;
    entry.archiveName = rootName;
    const int fd = ::open(root.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0)
        ::fstat(fd, &entry.status);
    else
        ::stat(root.c_str(), &entry.status);
    Walker(visit).folder(entry, fd);
}

} // namespace batch
