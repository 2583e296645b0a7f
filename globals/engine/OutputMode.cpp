#include "globals/engine/OutputMode.h"

#include <fstream>
#include <string>

namespace age {

mode_t currentUmask()
{
    // The kernel shows it; setting and restoring it instead would race with other threads
    // that create files meanwhile, so that is only the fallback.
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("Umask:", 0) == 0)
            return mode_t(std::stoul(line.substr(6), nullptr, 8));
    const mode_t mask = ::umask(077);
    ::umask(mask);
    return mask;
}

mode_t outputMode(const std::optional<FileIdentity> &replaced, const FileIdentity &source)
{
    if (replaced && replaced->isRegular())
        return replaced->mode & 0777;
    const mode_t sourceLimit = source.isRegular() ? (source.mode & 0777) | 0600 : 0777;
    return 0666 & ~currentUmask() & sourceLimit;
}

} // namespace age
