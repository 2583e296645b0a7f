#pragma once
#include <cstdint>
#include <ctime>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "globals/batch/ByteChannel.h"

struct archive;
struct archive_entry;

namespace batch {

// Extracts a tar stream from a channel into an open, new, empty folder, safe by construction:
// every name is taken apart and refused when it is absolute or holds "..", every folder on the
// way is opened without following a symbolic link (so nothing is ever written through one),
// every file is created new (an entry met twice is refused), a hard link must point to a
// regular file extracted before it, device nodes, FIFOs and sockets are left out, no setuid,
// setgid or sticky bit and no world-writable bit is set, and owners are never restored.
class SafeExtractor {
public:
    SafeExtractor(ByteChannel &channel, int folderFd) : m_channel(channel), m_folderFd(folderFd) {}

    // Reads the whole stream. Empty when every entry was extracted and the channel ended
    // without a failure; otherwise why not (the channel is then given up).
    std::string extract();
    // The entry being extracted; any thread.
    std::string currentName() const;
    // Entries left out because they are devices, FIFOs or sockets.
    std::size_t leftOut() const { return m_leftOut; }
    // The next piece of the stream for the tar reader; 0 at the end.
    std::size_t nextPiece(const void **data);

private:
    struct Folder {
        std::vector<std::string> names;
        mode_t mode;
        timespec modified;
    };

    std::string extractAll(struct archive *archive);
    std::string extractEntry(struct archive *archive, struct archive_entry *entry);
    std::string extractFile(struct archive *archive, struct archive_entry *entry, int parentFd,
                            const std::string &leaf);
    std::string extractHardLink(const char *target, int parentFd, const std::string &leaf);
    // Opens the folder `names` (all of them, or all but the last with `butLast`) below the
    // extraction folder without following links, creating missing folders when `create`.
    int openFolder(const std::vector<std::string> &names, bool butLast, bool create) const;
    void finishFolders();
    void setCurrent(const std::string &name);

    ByteChannel &m_channel;
    const int m_folderFd;
    std::vector<std::uint8_t> m_buffer = std::vector<std::uint8_t>(256 * 1024);
    std::vector<Folder> m_folders;
    std::size_t m_leftOut = 0;
    mutable std::mutex m_mutex;
    std::string m_current;
};

// The parts of an archive entry's name, without empty and "." parts; nullopt when the name is
// absolute or has a ".." part.
std::optional<std::vector<std::string>> safeNameParts(const char *name);

} // namespace batch
