#include "globals/engine/AtomicFile.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <sodium.h>
#include <sys/file.h>
#include <unistd.h>

#include "globals/engine/OutputMode.h"

namespace age {

namespace {
std::string randomHex()
{
    std::uint8_t bytes[8];
    randombytes_buf(bytes, sizeof bytes);
    std::string hex;
    for (std::uint8_t b : bytes)
        hex += "0123456789abcdef"[b >> 4], hex += "0123456789abcdef"[b & 15];
    return hex;
}

// The inode number that a temporary's name claims, or nullopt for any other name.
std::optional<ino_t> claimedInode(const char *name)
{
    const std::size_t prefixSize = std::strlen(AtomicFile::temporaryPrefix);
    if (std::strncmp(name, AtomicFile::temporaryPrefix, prefixSize) != 0)
        return std::nullopt;
    // Decimal digits, a dash, then sixteen lower-case hexadecimal digits.
    const std::string_view rest(name + prefixSize);
    const std::size_t dash = rest.find('-');
    const std::string_view digits = rest.substr(0, dash), random = rest.substr(dash + 1);
    const auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    const auto isHex = [&](char c) { return isDigit(c) || (c >= 'a' && c <= 'f'); };
    if (dash == std::string_view::npos || digits.empty() || digits.size() > 20 ||
        !std::all_of(digits.begin(), digits.end(), isDigit) || random.size() != 16 ||
        !std::all_of(random.begin(), random.end(), isHex))
        return std::nullopt;
    return ino_t(std::stoull(std::string(digits)));
}

// Renames within `dirFd` unless `to` exists (errno EEXIST then). Where the file system cannot
// refuse atomically, the name is checked just before an ordinary rename.
bool renameWithoutReplacing(int dirFd, const std::string &from, const std::string &to)
{
    if (::renameat2(dirFd, from.c_str(), dirFd, to.c_str(), RENAME_NOREPLACE) == 0)
        return true;
    if (errno != EINVAL && errno != ENOSYS)
        return false;
    if (identityAt(dirFd, to))
        return errno = EEXIST, false;
    return ::renameat(dirFd, from.c_str(), dirFd, to.c_str()) == 0;
}

bool isKept(const FileIdentity &file, const std::vector<FileIdentity> &keep)
{
    return std::any_of(keep.begin(), keep.end(),
                       [&](const FileIdentity &k) { return k.sameFileAs(file); });
}

void removeIfAbandoned(int dirFd, const char *name, ino_t claimed,
                       const std::vector<FileIdentity> &keep)
{
    const int fd = ::openat(dirFd, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return;
    struct stat opened;
    // A live writer holds the lock; only a file nobody holds is left over from a dead run, and
    // only one whose name carries its own inode number was named by this program.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &opened) == 0 &&
        S_ISREG(opened.st_mode) && opened.st_ino == claimed) {
        const FileIdentity file = FileIdentity::of(opened);
        const auto named = identityAt(dirFd, name);
        if (!isKept(file, keep) && named && named->sameFileAs(file))
            ::unlinkat(dirFd, name, 0);
    }
    ::close(fd);
}
} // namespace

std::string temporaryNameFor(ino_t inode)
{
    return AtomicFile::temporaryPrefix + std::to_string(inode) + "-" + randomHex();
}

std::optional<ino_t> temporaryInodeOf(const char *name) { return claimedInode(name); }

void removeStaleTemporaries(int dirFd, const std::vector<FileIdentity> &keep)
{
    const int listFd = ::dup(dirFd);
    DIR *dir = listFd < 0 ? nullptr : ::fdopendir(listFd);
    if (!dir) {
        if (listFd >= 0)
            ::close(listFd);
        return;
    }
    ::rewinddir(dir);
    while (const dirent *entry = ::readdir(dir))
        if (const auto claimed = claimedInode(entry->d_name))
            removeIfAbandoned(dirFd, entry->d_name, *claimed, keep);
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

Failure AtomicFile::create(const std::string &destination, const FileIdentity &source,
                           bool replaceExisting, SweptFolders *swept)
{
    if (destination.empty())
        return Failure::io("empty destination path");
    const std::filesystem::path path(destination);
    m_folder = path.has_parent_path() ? path.parent_path().string() : ".";
    m_name = path.filename().string();
    m_destination = destination;
    m_source = source;
    m_replaceExisting = replaceExisting;
    if (m_name.empty() || m_name == "." || m_name == "..")
        return Failure::io(destination + " is a folder");
    m_dirFd = ::open(m_folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_dirFd < 0)
        return errno == ENOENT ? Failure::io("folder missing: " + m_folder)
                               : Failure::system(m_folder, errno);
    const auto existing = identityAt(m_dirFd, m_name);
    if (Failure f = refuseSpecial(existing))
        return f;
    std::vector<FileIdentity> keep{source};
    if (existing) {
        if (!m_replaceExisting)
            return Failure::io(m_destination + " already exists");
        keep.push_back(*existing);
    }
    sweepOnce(keep, swept);
    return createTemporary();
}

void AtomicFile::sweepOnce(const std::vector<FileIdentity> &keep, SweptFolders *swept) const
{
    struct stat folder;
    if (swept && ::fstat(m_dirFd, &folder) == 0 &&
        !swept->emplace(folder.st_dev, folder.st_ino).second)
        return;
    removeStaleTemporaries(m_dirFd, keep);
}

Failure AtomicFile::refuseSpecial(const std::optional<FileIdentity> &existing) const
{
    if (!existing || existing->isRegular())
        return {};
    if (S_ISDIR(existing->mode))
        return Failure::io(m_destination + " is a folder");
    return Failure::io(m_destination + " is not a regular file; it is left as it is");
}

Failure AtomicFile::createTemporary()
{
    m_fd = ::openat(m_dirFd, ".", O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
    if (m_fd < 0 && (errno == EOPNOTSUPP || errno == EISDIR || errno == EINVAL)) {
        // No unnamed files here: create under a random name, then take the name that proves
        // the file is ours.
        for (int attempt = 0; m_fd < 0 && attempt < 16; ++attempt) {
            m_temporaryName = AtomicFile::temporaryPrefix + randomHex();
            m_fd = ::openat(m_dirFd, m_temporaryName.c_str(),
                            O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0600);
            if (m_fd < 0 && errno != EEXIST)
                break;
        }
        if (m_fd < 0)
            return m_temporaryName.clear(), Failure::system(m_folder, errno);
        m_named = true;
        if (Failure f = lockTemporary())
            return f;
        return giveTemporaryName();
    }
    if (m_fd < 0)
        return Failure::system(m_folder, errno);
    return lockTemporary();
}

// Without the lock another run's sweep would take the named temporary for a dead run's.
Failure AtomicFile::lockTemporary() const
{
    if (::flock(m_fd, LOCK_EX) != 0)
        return Failure::system("cannot lock a temporary file in " + m_folder, errno);
    return {};
}

// Gives the file a name that carries its inode number: by renaming a named temporary, or by
// linking an unnamed one into the folder.
Failure AtomicFile::giveTemporaryName()
{
    struct stat status;
    if (::fstat(m_fd, &status) != 0)
        return Failure::system(m_folder, errno);
    int error = EEXIST;
    for (int attempt = 0; attempt < 16 && error == EEXIST; ++attempt)
        error = nameTemporary(temporaryNameFor(status.st_ino));
    return error == 0 ? Failure{} : Failure::system(m_folder, error);
}

int AtomicFile::nameTemporary(const std::string &name)
{
    const bool done =
        m_named ? renameWithoutReplacing(m_dirFd, m_temporaryName, name) : linkUnnamed(name);
    if (!done)
        return errno;
    m_temporaryName = name;
    m_named = true;
    return 0;
}

// Links the unnamed temporary into the folder under `name`; false (errno set) when it cannot.
bool AtomicFile::linkUnnamed(const std::string &name) const
{
    const std::string self = "/proc/self/fd/" + std::to_string(m_fd);
    return ::linkat(AT_FDCWD, self.c_str(), m_dirFd, name.c_str(), AT_SYMLINK_FOLLOW) == 0 ||
           ::linkat(m_fd, "", m_dirFd, name.c_str(), AT_EMPTY_PATH) == 0;
}

Failure AtomicFile::placeWithoutReplacing()
{
    if (!m_named) {
        if (linkUnnamed(m_name))
            return {};
    } else if (renameWithoutReplacing(m_dirFd, m_temporaryName, m_name)) {
        m_temporaryName.clear();
        return {};
    }
    return errno == EEXIST ? Failure::io(m_destination + " already exists")
                           : Failure::system(m_destination, errno);
}

Failure AtomicFile::commit()
{
    if (::fsync(m_fd) != 0)
        return Failure::system(m_destination, errno);
    // Whatever appeared under the name meanwhile is checked again: only a regular file is
    // ever replaced, and the file it replaces lends it its permissions (flushed too, a
    // quick second flush of the inode alone).
    const auto existing = identityAt(m_dirFd, m_name);
    if (Failure f = refuseSpecial(existing))
        return f;
    struct stat written;
    if (::fchmod(m_fd, outputMode(m_replaceExisting ? existing : std::nullopt, m_source)) != 0 ||
        ::fsync(m_fd) != 0 || ::fstat(m_fd, &written) != 0)
        return Failure::system(m_destination, errno);
    if (!m_replaceExisting) {
        if (Failure f = placeWithoutReplacing())
            return f;
    } else {
        if (!m_named)
            if (Failure f = giveTemporaryName())
                return f;
        if (::renameat(m_dirFd, m_temporaryName.c_str(), m_dirFd, m_name.c_str()) != 0)
            return Failure::system(m_destination, errno);
        m_temporaryName.clear();
    }
    m_identity = FileIdentity::of(written);
    ::close(m_fd);
    m_fd = -1;
    if (::fsync(m_dirFd) != 0)
        return Failure::system(m_folder, errno);
    return {};
}

} // namespace age
