#include "globals/batch/SafeExtractor.h"

#include <archive.h>
#include <archive_entry.h>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "globals/batch/SkipRules.h"

namespace batch {

namespace {

la_ssize_t readFromChannel(struct archive *archive, void *extractor, const void **data)
{
    const std::size_t n = static_cast<SafeExtractor *>(extractor)->nextPiece(data);
    (void)archive;
    return la_ssize_t(n);
}

std::string readError(struct archive *archive)
{
    const char *text = archive_error_string(archive);
    return std::string("the archive is damaged: ") + (text ? text : "unreadable entry");
}

// Permissions without setuid, setgid, sticky and world-write bits.
mode_t safeMode(mode_t mode) { return mode & 0775; }

timespec modifiedOf(struct archive_entry *entry)
{
    return {archive_entry_mtime(entry), archive_entry_mtime_nsec(entry)};
}

std::string twice(const char *name)
{
    return std::string("the archive holds ") + name + " twice; nothing was extracted";
}

std::string refused(const char *name, const std::string &why)
{
    return std::string("the archive's entry ") + name + " " + why + "; nothing was extracted";
}

// A folder entry: new, or one made already on the way to an earlier entry.
std::string makeFolder(int parentFd, const std::string &leaf, const char *name)
{
    if (::mkdirat(parentFd, leaf.c_str(), S_IRWXU) == 0)
        return {};
    if (errno != EEXIST)
        return systemReason(name, errno);
    struct stat status;
    if (::fstatat(parentFd, leaf.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0 &&
        S_ISDIR(status.st_mode))
        return {};
    return twice(name);
}

} // namespace

std::optional<std::vector<std::string>> safeNameParts(const char *name)
{
    if (!name || name[0] == '/')
        return std::nullopt;
    std::vector<std::string> parts;
    std::string part;
    for (const char *c = name;; ++c) {
        if (*c != '/' && *c != '\0') {
            part += *c;
            continue;
        }
        if (part == "..")
            return std::nullopt;
        if (!part.empty() && part != ".")
            parts.push_back(part);
        part.clear();
        if (*c == '\0')
            break;
    }
    return parts;
}

std::size_t SafeExtractor::nextPiece(const void **data)
{
    *data = m_buffer.data();
    return m_channel.read(m_buffer.data(), m_buffer.size());
}

std::string SafeExtractor::extract()
{
    struct archive *archive = archive_read_new();
    std::string failure;
    try {
        failure = extractAll(archive);
    } catch (const std::exception &error) {
        failure = error.what();
    }
    archive_read_free(archive);
    if (failure.empty()) {
        // What follows the archive's end is read too, so that the whole stream authenticates.
        const void *data;
        while (nextPiece(&data) > 0) {
        }
        failure = m_channel.writerFailure();
    }
    if (!failure.empty())
        m_channel.closeReading();
    return failure;
}

std::string SafeExtractor::extractAll(struct archive *archive)
{
    if (archive_read_support_format_tar(archive) != ARCHIVE_OK ||
        archive_read_open(archive, this, nullptr, readFromChannel, nullptr) != ARCHIVE_OK) {
        const std::string why = m_channel.writerFailure();
        return why.empty() ? readError(archive) : why;
    }
    for (;;) {
        struct archive_entry *entry = nullptr;
        const int status = archive_read_next_header(archive, &entry);
        if (status == ARCHIVE_EOF)
            break;
        if (status < ARCHIVE_WARN) {
            const std::string why = m_channel.writerFailure();
            return why.empty() ? readError(archive) : why;
        }
        if (std::string failure = extractEntry(archive, entry); !failure.empty())
            return failure;
    }
    finishFolders();
    return {};
}

std::string SafeExtractor::extractEntry(struct archive *archive, struct archive_entry *entry)
{
    const char *name = archive_entry_pathname(entry);
    setCurrent(name ? name : "");
    const auto parts = safeNameParts(name);
    if (!parts)
        return refused(name ? name : "without a name", "leaves the new folder");
    const mode_t type = archive_entry_filetype(entry);
    if (parts->empty())
        return type == AE_IFDIR ? std::string() : refused(name, "has no name");
    const bool hardLink = archive_entry_hardlink(entry) != nullptr;
    if (!hardLink && type != AE_IFREG && type != AE_IFDIR && type != AE_IFLNK) {
        ++m_leftOut;
        return {};
    }
    const int parentFd = openFolder(*parts, true, true);
    if (parentFd < 0)
        return refused(name, "lies below a symbolic link or a file");
    const std::string &leaf = parts->back();
    std::string failure;
    if (hardLink) {
        failure = extractHardLink(archive_entry_hardlink(entry), parentFd, leaf);
    } else if (type == AE_IFDIR) {
        failure = makeFolder(parentFd, leaf, name);
        if (failure.empty())
            m_folders.push_back({*parts, safeMode(archive_entry_perm(entry)), modifiedOf(entry)});
    } else if (type == AE_IFLNK) {
        const char *target = archive_entry_symlink(entry);
        if (::symlinkat(target ? target : "", parentFd, leaf.c_str()) != 0)
            failure = errno == EEXIST ? twice(name) : systemReason(name, errno);
    } else {
        failure = extractFile(archive, entry, parentFd, leaf);
    }
    if (parentFd != m_folderFd)
        ::close(parentFd);
    return failure;
}

std::string SafeExtractor::extractFile(struct archive *archive, struct archive_entry *entry,
                                       int parentFd, const std::string &leaf)
{
    const char *name = archive_entry_pathname(entry);
    const int fd =
        ::openat(parentFd, leaf.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                 S_IRUSR | S_IWUSR);
    if (fd < 0)
        return errno == EEXIST ? twice(name) : systemReason(name, errno);
    std::string failure;
    const void *block;
    size_t size;
    la_int64_t offset;
    int status;
    while ((status = archive_read_data_block(archive, &block, &size, &offset)) == ARCHIVE_OK)
        if (::pwrite(fd, block, size, offset) != ssize_t(size)) {
            failure = systemReason(name, errno);
            break;
        }
    if (failure.empty() && status != ARCHIVE_EOF) {
        const std::string why = m_channel.writerFailure();
        failure = why.empty() ? readError(archive) : why;
    }
    // A sparse file's last hole, then the entry's permissions and time.
    if (failure.empty() && ::ftruncate(fd, archive_entry_size(entry)) != 0)
        failure = systemReason(name, errno);
    if (failure.empty()) {
        ::fchmod(fd, safeMode(archive_entry_perm(entry)));
        const timespec times[2] = {{0, UTIME_OMIT}, modifiedOf(entry)};
        ::futimens(fd, times);
    }
    ::close(fd);
    return failure;
}

std::string SafeExtractor::extractHardLink(const char *target, int parentFd,
                                           const std::string &leaf)
{
    const std::string name = m_current;
    const auto parts = safeNameParts(target);
    if (!parts || parts->empty())
        return refused(name.c_str(), "links to a file outside the new folder");
    const int targetFd = openFolder(*parts, true, false);
    struct stat status;
    std::string failure;
    if (targetFd < 0 ||
        ::fstatat(targetFd, parts->back().c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISREG(status.st_mode))
        failure = refused(name.c_str(), "links to something that is not a file extracted before");
    else if (::linkat(targetFd, parts->back().c_str(), parentFd, leaf.c_str(), 0) != 0)
        failure = errno == EEXIST ? twice(name.c_str()) : systemReason(name, errno);
    if (targetFd >= 0 && targetFd != m_folderFd)
        ::close(targetFd);
    return failure;
}

int SafeExtractor::openFolder(const std::vector<std::string> &names, bool butLast,
                              bool create) const
{
    int fd = m_folderFd;
    const std::size_t count = butLast ? names.size() - 1 : names.size();
    for (std::size_t i = 0; i < count; ++i) {
        const char *name = names[i].c_str();
        int next = ::openat(fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (next < 0 && errno == ENOENT && create && ::mkdirat(fd, name, S_IRWXU) == 0)
            next = ::openat(fd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (fd != m_folderFd)
            ::close(fd);
        if (next < 0)
            return -1;
        fd = next;
    }
    return fd;
}

// Folders get their own permissions and times last, deepest first, so that a read-only folder
// is filled before it becomes read-only and its time is not changed by its content.
void SafeExtractor::finishFolders()
{
    for (auto folder = m_folders.rbegin(); folder != m_folders.rend(); ++folder) {
        const int fd = openFolder(folder->names, false, false);
        if (fd < 0)
            continue;
        const timespec times[2] = {{0, UTIME_OMIT}, folder->modified};
        ::futimens(fd, times);
        ::fchmod(fd, folder->mode);
        if (fd != m_folderFd)
            ::close(fd);
    }
}

void SafeExtractor::setCurrent(const std::string &name)
{
    const std::lock_guard lock(m_mutex);
    m_current = name;
}

std::string SafeExtractor::currentName() const
{
    const std::lock_guard lock(m_mutex);
    return m_current;
}

} // namespace batch
