#pragma once
#include <functional>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace batch {

// One thing met while walking a folder given to a run.
struct FoundEntry {
    std::string path;         // the given path joined with the names below it
    std::string archiveName;  // the given folder's own name joined with the names below it
    struct stat status = {};  // of the entry itself: a symbolic link is not followed
    int openError = 0;        // errno when a folder could not be opened: its content is missing
    bool givenByName = false; // a path given to the run, opened as named (through a link too)
};

// Walks the folder `root` depth first, each folder before its content and the names of a folder
// in byte order, and calls `visit` for every entry, `root` included (named `rootName` in an
// archive). Symbolic links are reported and never followed; every folder is opened relative to
// its parent without following a link, so a link put in a folder's place is not entered.
void walkFolder(const std::string &root, const std::string &rootName,
                const std::function<void(const FoundEntry &)> &visit);

// The names in the open folder `fd` ("." and ".." left out), in byte order; `fd` stays open.
std::vector<std::string> namesInFolder(int fd);

// `parent` and `name` joined with one slash.
std::string joinPath(const std::string &parent, const std::string &name);

} // namespace batch
