#pragma once
#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include "globals/batch/ByteChannel.h"
#include "globals/batch/FolderWalk.h"
#include "globals/engine/FileIdentity.h"

struct archive;
struct archive_entry_linkresolver;

namespace batch {

// Writes entries as one POSIX tar (pax) stream into a channel: folders, regular files with their
// content, symbolic links as links, and a file met again through another hard link as a link to
// its first entry. Names are kept in the system's bytes. Meant for a thread of its own while the
// engine encrypts what the channel carries.
class ArchiveWriter {
public:
    ArchiveWriter(const std::vector<FoundEntry> &entries, ByteChannel &channel,
                  const std::atomic<bool> &stop);

    // Writes everything and closes the channel, with the reason when something failed (an entry
    // that changed its kind or shrank since the folder was walked, a read error, a stop).
    void write();
    // The entry being written; any thread.
    std::string currentPath() const;
    // Each regular file as it was opened to be read, by index in the entries.
    const std::vector<age::FileIdentity> &readIdentities() const { return m_read; }

private:
    std::string writeAll(struct archive *archive);
    std::string writeEntry(struct archive *archive, std::size_t index);
    std::string writeContent(struct archive *archive, int fd, std::int64_t size,
                             const std::string &path);
    void setCurrent(const std::string &path);

    const std::vector<FoundEntry> &m_entries;
    ByteChannel &m_channel;
    const std::atomic<bool> &m_stop;
    std::vector<age::FileIdentity> m_read;
    archive_entry_linkresolver *m_links = nullptr;
    mutable std::mutex m_mutex;
    std::string m_current;
};

} // namespace batch
