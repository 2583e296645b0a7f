#include "globals/batch/ExtractionFolder.h"

#include <cerrno>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

#include "globals/batch/FolderWalk.h"
#include "globals/batch/OutputPaths.h"
#include "globals/batch/SkipRules.h"
#include "globals/batch/TreeRemoval.h"
#include "globals/engine/AtomicFile.h"

namespace batch {

namespace {

age::Failure folderFailure(const std::string &path, int error = errno)
{
    return age::Failure::io(systemReason(path, error));
}

// Removes the folder `name` when its name carries its own inode number and no live run holds it.
void removeIfAbandonedFolder(int dirFd, const std::string &name, ino_t claimed)
{
    const int fd = ::openat(dirFd, name.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat status;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &status) == 0 &&
        status.st_ino == claimed)
        removeTree(dirFd, name);
    ::close(fd);
}

} // namespace

void removeStaleExtractionFolders(int dirFd)
{
    for (const std::string &name : namesInFolder(dirFd))
        if (const auto claimed = age::temporaryInodeOf(name.c_str()))
            removeIfAbandonedFolder(dirFd, name, *claimed);
}

ExtractionFolder::~ExtractionFolder()
{
    if (m_fd >= 0)
        ::close(m_fd);
    // Whatever is still under the temporary name: a failed extraction, or what the destination
    // held before it was replaced.
    if (m_dirFd >= 0 && !m_temporaryName.empty())
        removeTree(m_dirFd, m_temporaryName);
    if (m_dirFd >= 0)
        ::close(m_dirFd);
}

age::Failure ExtractionFolder::create(const std::string &destination)
{
    m_destination = withoutTrailingSlashes(destination);
    const std::filesystem::path path(m_destination);
    const std::string folder = path.has_parent_path() ? path.parent_path().string() : ".";
    m_name = path.filename().string();
    if (m_name.empty() || m_name == "." || m_name == "..")
        return age::Failure::io(m_destination + " cannot be a new folder's name");
    m_dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_dirFd < 0)
        return errno == ENOENT ? age::Failure::io("folder missing: " + folder)
                               : folderFailure(folder);
    removeStaleExtractionFolders(m_dirFd);
    // Made under a name no sweep claims, locked, then named after its inode.
    const std::string initial = age::temporaryNameFor(0);
    if (::mkdirat(m_dirFd, initial.c_str(), S_IRWXU) != 0)
        return folderFailure(folder);
    m_temporaryName = initial;
    m_fd = ::openat(m_dirFd, initial.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    struct stat status;
    if (m_fd < 0 || ::flock(m_fd, LOCK_EX) != 0 || ::fstat(m_fd, &status) != 0)
        return folderFailure(folder);
    const std::string named = age::temporaryNameFor(status.st_ino);
    if (::renameat(m_dirFd, initial.c_str(), m_dirFd, named.c_str()) != 0)
        return folderFailure(folder);
    m_temporaryName = named;
    return {};
}

std::pair<int, std::string> ExtractionFolder::content() const
{
    const std::vector<std::string> names = namesInFolder(m_fd);
    struct stat status;
    if (names.size() == 1 &&
        ::fstatat(m_fd, names.front().c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISDIR(status.st_mode))
        return {m_fd, names.front()};
    return {m_dirFd, m_temporaryName};
}

age::Failure ExtractionFolder::place(bool replace)
{
    const auto [fromFd, fromName] = content();
    if (fromFd == m_dirFd)
        ::fchmod(m_fd, S_IRWXU | S_IRGRP | S_IXGRP | S_IROTH | S_IXOTH);
    if (::renameat2(fromFd, fromName.c_str(), m_dirFd, m_name.c_str(), RENAME_NOREPLACE) == 0)
        return {};
    if (errno != EEXIST)
        return folderFailure(m_destination);
    const auto existing = age::identityAt(m_dirFd, m_name);
    if (!replace)
        return age::Failure::io(m_destination + " exists; not replaced");
    if (existing && !S_ISDIR(existing->mode) && !existing->isRegular())
        return age::Failure::io(m_destination + " is not a regular file; it is left as it is");
    // The old destination takes the new content's place and goes with the temporary folder.
    if (::renameat2(fromFd, fromName.c_str(), m_dirFd, m_name.c_str(), RENAME_EXCHANGE) != 0)
        return folderFailure(m_destination);
    return {};
}

} // namespace batch
