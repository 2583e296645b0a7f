#include "globals/batch/SkipRules.h"

#include <cctype>
#include <cstring>
#include <string_view>
#include <unistd.h>

#include "globals/engine/Armor.h"

namespace batch {

bool hasEncryptedSuffix(const std::string &path)
{
    constexpr std::string_view suffix = ".ecx";
    if (path.size() < suffix.size())
        return false;
    for (std::size_t i = 0; i < suffix.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(path[path.size() - suffix.size() + i])) !=
            suffix[i])
            return false;
    return true;
}

bool startsLikeAgeFile(int fd)
{
    constexpr std::string_view binary = "age-encryption.org/";
    char head[128];
    const ssize_t n = ::pread(fd, head, sizeof head, 0);
    if (n <= 0)
        return false;
    std::string_view text(head, std::size_t(n));
    if (text.substr(0, binary.size()) == binary)
        return true;
    // An armored file may have white space before its first line.
    const std::size_t start = text.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos &&
           text.substr(start, age::armorBegin.size()) == age::armorBegin;
}

std::string systemReason(const std::string &path, int error)
{
    return path + ": " + std::strerror(error);
}

} // namespace batch
