#pragma once
#include <string>
#include <sys/stat.h>

#include "AgeFailure.h"

namespace age {

// A source file opened for reading, with what fstat said about it.
class InputFile {
public:
    InputFile() = default;
    InputFile(const InputFile &) = delete;
    InputFile &operator=(const InputFile &) = delete;
    ~InputFile();

    Failure open(const std::string &path);
    int fd() const { return fd_; }
    std::uint64_t size() const { return std::uint64_t(status_.st_size); }
    // True when `path` names this very file (also through a symbolic or hard link).
    bool isSameFileAs(const std::string &path) const;

private:
    int fd_ = -1;
    struct stat status_ = {};
};

} // namespace age
