#pragma once
#include <string>

#include "globals/engine/AgeFailure.h"

namespace age {

// A file that appears under its name only when complete. It is written as an unnamed
// temporary in the destination's folder (or, where the file system cannot do that, under
// a hidden ".ecx-partial-" name), flushed to disk, given a temporary name and renamed over
// the destination, and the folder is flushed. Until commit() succeeds the destination is
// untouched; dropping the object discards everything written.
//
// Each temporary is locked while its writer lives, so temporaries that a killed run left
// behind are recognised (unlocked) and removed by the next run in that folder.
class AtomicFile {
public:
    AtomicFile() = default;
    AtomicFile(const AtomicFile &) = delete;
    AtomicFile &operator=(const AtomicFile &) = delete;
    ~AtomicFile();

    Failure create(const std::string &destination);
    int fd() const { return m_fd; }
    Failure commit();

    static constexpr const char *temporaryPrefix = ".ecx-partial-";

private:
    Failure createTemporary();
    Failure giveTemporaryName();

    std::string m_folder, m_name, m_temporaryName;
    int m_dirFd = -1, m_fd = -1;
    bool m_named = false;
};

// Removes the temporaries of dead runs from the open folder `dirFd`.
void removeStaleTemporaries(int dirFd);

} // namespace age
