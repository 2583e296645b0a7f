#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <ctime>
#include <optional>
#include <string>
#include <sys/stat.h>

namespace age {

// Which file a path named at one moment, and the state of its content then: device and inode
// say which file, size and modification time whether it changed since.
struct VANTRELGLOBALS_EXPORT FileIdentity {
    dev_t device = 0;
    ino_t inode = 0;
    off_t size = 0;
    timespec modified = {};
    mode_t mode = 0;

    static FileIdentity of(const struct stat &status);
    bool known() const { return mode != 0; }
    bool isRegular() const { return S_ISREG(mode); }
    bool sameFileAs(const FileIdentity &other) const;
    // The same file with the same size and modification time.
    bool unchangedFrom(const FileIdentity &other) const;
};

// What `path` itself names (a symbolic link is not followed); nullopt when nothing is there.
VANTRELGLOBALS_EXPORT std::optional<FileIdentity> identityAt(int dirFd, const std::string &path);
VANTRELGLOBALS_EXPORT std::optional<FileIdentity> identityAt(const std::string &path);

} // namespace age
