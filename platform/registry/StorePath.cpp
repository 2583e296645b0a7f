#include "platform/registry/StorePath.h"

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace registry {
namespace {

std::string environment(const char *name)
{
    const char *value = std::getenv(name);
    return value == nullptr ? std::string() : std::string(value);
}

std::string homeFolder()
{
    std::string home = environment("HOME");
    if (!home.empty())
        return home;
    if (const passwd *entry = getpwuid(getuid()); entry != nullptr && entry->pw_dir != nullptr)
        return entry->pw_dir;
    return {};
}

// XDG_CONFIG_HOME counts only when it is an absolute path.
std::string configFolder()
{
    const std::string configured = environment("XDG_CONFIG_HOME");
    if (configured.starts_with('/'))
        return configured;
    const std::string home = homeFolder();
    return home.empty() ? std::string() : home + "/.config";
}

} // namespace

bool storePathVariableIsEmpty()
{
    const char *value = std::getenv(StorePathVariable);
    return value != nullptr && *value == '\0';
}

std::string registryStorePath()
{
    if (std::getenv(StorePathVariable) != nullptr)
        return environment(StorePathVariable);
    const std::string config = configFolder();
    return config.empty() ? std::string() : config + "/EmberCoffer/registry.db";
}

} // namespace registry
