#include "globals/batch/OutputPaths.h"

#include <QByteArray>
#include <cctype>

#include "globals/filerules/OutputNames.h"

namespace batch {

std::string encryptedPath(const std::string &source)
{
    return encryptedPathFor(QByteArray::fromStdString(source)).toStdString();
}

std::optional<std::string> decryptedPath(const std::string &source)
{
    const auto path = decryptedPathFor(QByteArray::fromStdString(source));
    if (!path)
        return std::nullopt;
    return path->toStdString();
}

std::optional<std::string> extractedPath(const std::string &archive)
{
    auto path = decryptedPath(archive);
    if (!path)
        return std::nullopt;
    const std::size_t n = path->size();
    if (n > 4 && (*path)[n - 4] == '.' && std::tolower((*path)[n - 3]) == 't' &&
        std::tolower((*path)[n - 2]) == 'a' && std::tolower((*path)[n - 1]) == 'r')
        path->resize(n - 4);
    return path;
}

std::string archivePath(const std::string &path)
{
    return encryptedPath(withoutTrailingSlashes(path) + ".tar");
}

std::string withoutTrailingSlashes(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace batch
