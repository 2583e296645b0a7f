#include "globals/batch/TreeRemoval.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "globals/batch/FolderWalk.h"

namespace batch {

void removeTree(int dirFd, const std::string &name)
{
    if (::unlinkat(dirFd, name.c_str(), 0) == 0)
        return;
    const int fd = ::openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fchmod(fd, S_IRWXU);
    for (const std::string &child : namesInFolder(fd))
        removeTree(fd, child);
    ::close(fd);
    ::unlinkat(dirFd, name.c_str(), AT_REMOVEDIR);
}

} // namespace batch
