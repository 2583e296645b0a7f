#pragma once
#include <string>

#include "globals/engine/AgeFailure.h"
#include "globals/engine/FileIdentity.h"

namespace age {

// A source opened for reading, with what fstat said about it at that moment.
class InputFile {
public:
    InputFile() = default;
    InputFile(const InputFile &) = delete;
    InputFile &operator=(const InputFile &) = delete;
    ~InputFile();

    Failure open(const std::string &path);
    // Opens `path` only when it is a regular file; never waits on a FIFO.
    Failure openRegular(const std::string &path);
    // Reads the process's standard input, which stays open when this object goes.
    Failure openStandardInput();
    int fd() const { return m_fd; }
    // The byte count to expect, 0 when unknown (a pipe or a terminal).
    std::uint64_t size() const;
    const FileIdentity &identity() const { return m_identity; }
    // True when `path` names this very file (also through a symbolic or hard link).
    bool isSameFileAs(const std::string &path) const;

private:
    Failure openWith(const std::string &path, int flags);
    Failure readStatus(const std::string &name);

    int m_fd = -1;
    bool m_owned = false;
    FileIdentity m_identity;
};

} // namespace age
