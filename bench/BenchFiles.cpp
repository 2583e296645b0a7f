#include "bench/BenchFiles.h"

#include <algorithm>
#include <fcntl.h>
#include <filesystem>
#include <linux/magic.h>
#include <sodium.h>
#include <sys/statfs.h>
#include <unistd.h>
#include <vector>

namespace {
constexpr std::size_t blockSize = 1 << 20;

// Calls `fill` for each block and writes the blocks to a new file at `path`.
template <typename Fill>
bool writeBlocks(const std::string &path, std::uint64_t bytes, Fill fill)
{
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
    if (fd < 0)
        return false;
    std::vector<unsigned char> block(blockSize);
    bool ok = true;
    for (std::uint64_t done = 0; ok && done < bytes; done += block.size()) {
        const std::size_t size = std::size_t(std::min<std::uint64_t>(block.size(), bytes - done));
        fill(block.data(), size);
        ok = ::write(fd, block.data(), size) == ssize_t(size);
    }
    return ::close(fd) == 0 && ok;
}

// Reads up to `size` bytes, fewer only at the end of the file.
ssize_t readFull(int fd, unsigned char *buffer, std::size_t size)
{
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = ::read(fd, buffer + done, size - done);
        if (n < 0)
            return -1;
        if (n == 0)
            break;
        done += std::size_t(n);
    }
    return ssize_t(done);
}
} // namespace

bool isMemoryFileSystem(const std::string &folder)
{
    struct statfs info {};
    return ::statfs(folder.c_str(), &info) == 0 &&
           (info.f_type == TMPFS_MAGIC || info.f_type == RAMFS_MAGIC);
}

bool warmMemory(const std::string &folder, std::uint64_t bytes)
{
    const std::string path = folder + "/ecx-bench-warm";
    const bool ok = writeBlocks(path, bytes, [](unsigned char *block, std::size_t size) {
        std::fill_n(block, size, 0x5a);
    });
    removePath(path);
    return ok;
}

bool writeRandomFile(const std::string &path, std::uint64_t bytes)
{
    return writeBlocks(
        path, bytes, [](unsigned char *block, std::size_t size) { randombytes_buf(block, size); });
}

bool sameContents(const std::string &a, const std::string &b)
{
    const int fa = ::open(a.c_str(), O_RDONLY | O_CLOEXEC),
              fb = ::open(b.c_str(), O_RDONLY | O_CLOEXEC);
    std::vector<unsigned char> ba(blockSize), bb(blockSize);
    bool same = fa >= 0 && fb >= 0;
    while (same) {
        const ssize_t na = readFull(fa, ba.data(), ba.size()),
                      nb = readFull(fb, bb.data(), bb.size());
        same = na >= 0 && na == nb && std::equal(ba.begin(), ba.begin() + na, bb.begin());
        if (na == 0)
            break;
    }
    for (int fd : {fa, fb})
        if (fd >= 0)
            ::close(fd);
    return same;
}

void removePath(const std::string &path)
{
    std::error_code ignored;
    std::filesystem::remove_all(path, ignored);
}

bool createFolder(const std::string &path)
{
    std::error_code error;
    std::filesystem::create_directories(path, error);
    return !error;
}
