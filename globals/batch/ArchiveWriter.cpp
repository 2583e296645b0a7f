#include "globals/batch/ArchiveWriter.h"

#include <archive.h>
#include <archive_entry.h>
#include <cerrno>
#include <fcntl.h>
#include <limits.h>
#include <unistd.h>

#include "globals/batch/SkipRules.h"

namespace batch {

namespace {

la_ssize_t toChannel(struct archive *archive, void *channel, const void *data, size_t size)
{
    if (!static_cast<ByteChannel *>(channel)->write(static_cast<const std::uint8_t *>(data),
                                                    size)) {
        archive_set_error(archive, EPIPE, "the archive could not be taken further");
        return -1;
    }
    return la_ssize_t(size);
}

std::string archiveError(struct archive *archive)
{
    const char *text = archive_error_string(archive);
    return text ? text : "the archive could not be written";
}

// Opens an entry without blocking, and without following a link unless it was given by name.
int openEntry(const FoundEntry &entry)
{
    const int flags = O_RDONLY | O_NONBLOCK | O_CLOEXEC | (entry.givenByName ? 0 : O_NOFOLLOW);
    return ::open(entry.path.c_str(), flags);
}

struct EntryHandle {
    struct archive_entry *entry = archive_entry_new();
    int fd = -1;
    ~EntryHandle()
    {
        archive_entry_free(entry);
        if (fd >= 0)
            ::close(fd);
    }
};

} // namespace

ArchiveWriter::ArchiveWriter(const std::vector<FoundEntry> &entries, ByteChannel &channel,
                             const std::atomic<bool> &stop)
    : m_entries(entries), m_channel(channel), m_stop(stop), m_read(entries.size())
{
}

void ArchiveWriter::write()
{
    struct archive *archive = archive_write_new();
    m_links = archive_entry_linkresolver_new();
    std::string failure;
    try {
        failure = writeAll(archive);
    } catch (const std::exception &error) {
        failure = error.what();
    }
    archive_entry_linkresolver_free(m_links);
    archive_write_free(archive);
    m_channel.closeWriting(failure);
}

std::string ArchiveWriter::writeAll(struct archive *archive)
{
    // A name that is not text in the locale's encoding is stored as the bytes it is.
    if (archive_write_set_format_pax_restricted(archive) != ARCHIVE_OK ||
        archive_write_open2(archive, &m_channel, nullptr, toChannel, nullptr, nullptr) !=
            ARCHIVE_OK)
        return archiveError(archive);
    archive_entry_linkresolver_set_strategy(m_links, archive_format(archive));
    for (std::size_t i = 0; i < m_entries.size(); ++i) {
        if (m_stop)
            return "stopped";
        if (std::string failure = writeEntry(archive, i); !failure.empty())
            return failure;
    }
    return archive_write_close(archive) == ARCHIVE_OK ? std::string() : archiveError(archive);
}

std::string ArchiveWriter::writeEntry(struct archive *archive, std::size_t index)
{
    const FoundEntry &found = m_entries[index];
    setCurrent(found.path);
    EntryHandle handle;
    struct stat status = found.status;
    if (S_ISREG(status.st_mode)) {
        handle.fd = openEntry(found);
        if (handle.fd < 0 || ::fstat(handle.fd, &status) != 0)
            return systemReason(found.path, errno);
        if (!S_ISREG(status.st_mode) || status.st_ino != found.status.st_ino)
            return found.path + " was replaced while the archive was written";
        m_read[index] = age::FileIdentity::of(status);
    }
    archive_entry_copy_stat(handle.entry, &status);
    archive_entry_copy_pathname(handle.entry, found.archiveName.c_str());
    if (S_ISLNK(status.st_mode)) {
        char target[PATH_MAX];
        const std::string name = found.path;
        const ssize_t n = ::readlink(name.c_str(), target, sizeof target - 1);
        if (n < 0)
            return systemReason(found.path, errno);
        target[n] = '\0';
        archive_entry_copy_symlink(handle.entry, target);
    }
    struct archive_entry *spare = nullptr;
    archive_entry_linkify(m_links, &handle.entry, &spare);
    if (!handle.entry)
        return {};
    // A warning says a name went in as raw bytes, which is what it is meant to.
    if (archive_write_header(archive, handle.entry) < ARCHIVE_WARN)
        return archiveError(archive);
    // A hard link to a file already in the archive carries no content.
    if (S_ISREG(status.st_mode) && archive_entry_size(handle.entry) > 0)
        return writeContent(archive, handle.fd, archive_entry_size(handle.entry), found.path);
    return {};
}

std::string ArchiveWriter::writeContent(struct archive *archive, int fd, std::int64_t size,
                                        const std::string &path)
{
    std::vector<char> buffer(256 * 1024);
    while (size > 0) {
        const ssize_t n =
            ::read(fd, buffer.data(),
                   std::size_t(std::min<std::int64_t>(size, std::int64_t(buffer.size()))));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return systemReason(path, errno);
        if (n == 0)
            return path + " shrank while the archive was written";
        if (archive_write_data(archive, buffer.data(), std::size_t(n)) != n)
            return archiveError(archive);
        size -= n;
    }
    return {};
}

void ArchiveWriter::setCurrent(const std::string &path)
{
    const std::lock_guard lock(m_mutex);
    m_current = path;
}

std::string ArchiveWriter::currentPath() const
{
    const std::lock_guard lock(m_mutex);
    return m_current;
}

} // namespace batch
