#include "globals/engine/ScryptMemory.h"

#include <algorithm>
#include <sys/resource.h>
#include <sys/sysinfo.h>

namespace age {

namespace {
std::uint64_t limitOf(int resource)
{
    rlimit limit;
    if (::getrlimit(resource, &limit) != 0 || limit.rlim_cur == RLIM_INFINITY)
        return UINT64_MAX;
    return limit.rlim_cur;
}

std::string mebibytes(std::uint64_t bytes) { return std::to_string(bytes >> 20) + " MiB"; }
} // namespace

std::uint64_t scryptMemoryNeeded(int logN) { return std::uint64_t(1024) << logN; }

std::uint64_t memoryWithinReach()
{
    struct sysinfo machine;
    const std::uint64_t installed =
        ::sysinfo(&machine) == 0 ? std::uint64_t(machine.totalram) * machine.mem_unit : UINT64_MAX;
    return std::min({installed, limitOf(RLIMIT_AS), limitOf(RLIMIT_DATA)});
}

Failure scryptMemoryCheck(int logN)
{
    const std::uint64_t needed = scryptMemoryNeeded(logN), reach = memoryWithinReach();
    if (needed <= reach)
        return {};
    return Failure::io("the key derivation at work factor 2^" + std::to_string(logN) + " needs " +
                       mebibytes(needed) + " of memory, more than the " + mebibytes(reach) +
                       " this system allows");
}

} // namespace age
