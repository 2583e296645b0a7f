#pragma once
#include <cstdint>
#include <string>

// The files a benchmark run works on, and the state of the memory behind them.

// True when `folder` is on a memory file system, where no disk takes part.
bool isMemoryFileSystem(const std::string &folder);

// Writes and deletes `bytes` in `folder`, so that the memory the runs will use has been
// touched once: the first use of memory that the machine has not used for a while costs
// much more than later ones, and that cost must not fall on whichever contender runs first.
bool warmMemory(const std::string &folder, std::uint64_t bytes);

// Writes `bytes` random bytes to `path`: incompressible, like any encrypted data.
bool writeRandomFile(const std::string &path, std::uint64_t bytes);

bool sameContents(const std::string &a, const std::string &b);

bool createFolder(const std::string &path);

// Removes a file or a folder with everything in it; absent paths are fine.
void removePath(const std::string &path);
