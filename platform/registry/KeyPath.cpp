#include "platform/registry/KeyPath.h"

#include "platform/registry/NameFolding.h"

#include <string_view>

namespace registry {

KeyPath splitKeyPath(LPCSTR path)
{
    KeyPath result;
    if (path == nullptr)
        return result;
    const std::string_view text(path);
    if (text.starts_with('\\')) {
        result.status = ERROR_BAD_PATHNAME;
        return result;
    }
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\\', start);
        if (end == std::string_view::npos)
            end = text.size();
        const std::string_view component = text.substr(start, end - start);
        if (characterCount(component) > MaxKeyNameLength) {
            result.status = ERROR_INVALID_PARAMETER;
            result.components.clear();
            return result;
        }
        if (!component.empty())
            result.components.emplace_back(component);
        start = end + 1;
    }
    return result;
}

LONG checkValueName(const std::string &name)
{
    return characterCount(name) > MaxValueNameLength ? ERROR_INVALID_PARAMETER : ERROR_SUCCESS;
}

} // namespace registry
