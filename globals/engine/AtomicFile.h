#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "globals/engine/AgeFailure.h"
#include "globals/engine/FileIdentity.h"

namespace age {

// A file that appears under its name only when complete. It is written as an unnamed
// temporary in the destination's folder (or, where the file system cannot do that, under
// a hidden ".ecx-partial-" name), flushed to disk, given a temporary name and renamed over
// the destination, and the folder is flushed. Until commit() succeeds the destination is
// untouched; dropping the object discards everything written.
//
// The destination must be absent or a regular file: a device, a pipe, a socket or a symbolic
// link is never replaced. With `replaceExisting` false an existing file is not replaced either,
// even one that appears while the file is being written.
//
// The temporary is readable by its owner only while it is written; the file appears with the
// permissions outputMode() gives.
//
// Each temporary is locked while its writer lives and carries its own inode number in its
// name, so temporaries that a killed run left behind are recognised (unlocked, and the name
// matches the file) and removed by the next run in that folder.
//
// Folders already swept, by device and inode: a run over many files in one folder sweeps it
// once, not once per file.
using SweptFolders = std::set<std::pair<dev_t, ino_t>>;

class VANTRELGLOBALS_EXPORT AtomicFile {
public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;
    ~AtomicFile();

    // `source` is the file being read for this output: the leftover sweep never touches it.
    // With `swept` given, a folder it lists is not swept again, and one swept is added.
    Failure create(const std::string &destination, const FileIdentity &source,
                   bool replaceExisting = true, SweptFolders *swept = nullptr);
    int fd() const { return m_fd; }
    Failure commit();
    // The file as committed.
    const FileIdentity &identity() const { return m_identity; }

    static constexpr const char *temporaryPrefix = ".ecx-partial-";

private:
    // Refuses whatever stands under the destination's name unless it is a regular file.
    Failure refuseSpecial(const std::optional<FileIdentity> &existing) const;
    void sweepOnce(const std::vector<FileIdentity> &keep, SweptFolders *swept) const;
    Failure createTemporary();
    Failure lockTemporary() const;
    int nameTemporary(const std::string &name);
    bool linkUnnamed(const std::string &name) const;
    Failure giveTemporaryName();
    Failure placeWithoutReplacing();

    std::string m_destination, m_folder, m_name, m_temporaryName;
    int m_dirFd = -1, m_fd = -1;
    bool m_named = false, m_replaceExisting = true;
    FileIdentity m_identity, m_source;
};

// The name under which a temporary with this inode number is kept.
VANTRELGLOBALS_EXPORT std::string temporaryNameFor(ino_t inode);

// The inode number that a temporary's name claims; nullopt for any other name.
VANTRELGLOBALS_EXPORT std::optional<ino_t> temporaryInodeOf(const char *name);

// Removes, from the open folder `dirFd`, the temporaries of dead runs: files whose name is
// temporaryNameFor() their own inode and that no live writer holds. Files in `keep` and
// files that only resemble a temporary are never touched.
VANTRELGLOBALS_EXPORT void removeStaleTemporaries(int dirFd, const std::vector<FileIdentity> &keep);

} // namespace age
