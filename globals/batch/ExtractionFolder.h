#pragma once
#include <string>

#include "globals/engine/AgeFailure.h"

namespace batch {

// The temporary folder an archive is extracted into, beside its destination, and the move of
// what it holds under the destination's name once the whole archive authenticated. Until then
// nothing appears under the destination's name; dropping the object removes the temporary
// folder with what is in it. The folder is named like the engine's temporary files (its own
// inode number in its name) and locked while it lives, so one that a killed run left behind is
// recognised and removed by the next extraction in that folder.
class ExtractionFolder {
public:
    ExtractionFolder() = default;
    ExtractionFolder(const ExtractionFolder &) = delete;
    ExtractionFolder &operator=(const ExtractionFolder &) = delete;
    ~ExtractionFolder();

    age::Failure create(const std::string &destination);
    // The temporary folder, open.
    int fd() const { return m_fd; }
    // Moves the content under the destination's name: the archive's one top folder when it
    // holds exactly one, otherwise the temporary folder itself. An existing destination is
    // replaced (and removed) only with `replace`.
    age::Failure place(bool replace);

private:
    // What is to appear under the destination's name: a folder and a name in it.
    std::pair<int, std::string> content() const;

    std::string m_destination, m_name, m_temporaryName;
    int m_dirFd = -1, m_fd = -1;
    bool m_placedWhole = false;
};

// Removes from the open folder `dirFd` the extraction folders of dead runs.
void removeStaleExtractionFolders(int dirFd);

} // namespace batch
