#pragma once
#include <string>

namespace batch {

// Whether the name ends in ".ECX" in any letter case.
bool hasEncryptedSuffix(const std::string &path);

// Whether the open file `fd` starts as an age file does, binary or armored.
bool startsLikeAgeFile(int fd);

// The system's one-line description of `error` for `path`.
std::string systemReason(const std::string &path, int error);

} // namespace batch
