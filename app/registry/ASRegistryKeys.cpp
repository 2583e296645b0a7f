#include "app/registry/ASRegistryKeys.h"

ASRegistryKeys::Entry ASRegistryKeys::Add(const QString &KeyNames, const QString &sKey)
{
    auto item = std::make_shared<ASRegistryKey>();
    item->KeyNames = KeyNames;
    return insert(item, sKey);
}
