#pragma once
#include <string>
#include <sys/stat.h>

#include "globals/engine/AgeFailure.h"

namespace age {

// A source file opened for reading, with what fstat said about it.
class InputFile {
public:
    InputFile() = default;
    InputFile(const InputFile &) = delete;
    InputFile &operator=(const InputFile &) = delete;
    ~InputFile();

    Failure open(const std::string &path);
    int fd() const { return m_fd; }
    std::uint64_t size() const { return std::uint64_t(m_status.st_size); }
    // True when `path` names this very file (also through a symbolic or hard link).
    bool isSameFileAs(const std::string &path) const;

private:
    int m_fd = -1;
    struct stat m_status = {};
};

} // namespace age
