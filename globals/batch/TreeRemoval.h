#pragma once
#include <string>

namespace batch {

// Removes `name` in the open folder `dirFd` with everything below it, never following a
// symbolic link (a link is removed, not what it points to). Folders are made writable for
// their owner first, so a tree that was extracted with read-only folders goes too.
void removeTree(int dirFd, const std::string &name);

} // namespace batch
