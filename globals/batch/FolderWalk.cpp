#include "globals/batch/FolderWalk.h"

#include <algorithm>
#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace batch {

namespace {

// The names in the open folder `fd` (which the listing consumes), in byte order.
std::vector<std::string> sortedNames(int fd)
{
    std::vector<std::string> names;
    DIR *dir = ::fdopendir(fd);
    if (!dir) {
        ::close(fd);
        return names;
    }
    while (const dirent *entry = ::readdir(dir)) {
        const std::string name = entry->d_name;
        if (name != "." && name != "..")
            names.push_back(name);
    }
    ::closedir(dir);
    std::sort(names.begin(), names.end());
    return names;
}

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
        const int listFd = ::dup(fd);
        const std::vector<std::string> names =
            listFd < 0 ? std::vector<std::string>{} : sortedNames(listFd);
        for (const std::string &name : names)
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
