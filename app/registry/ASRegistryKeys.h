#pragma once
#include "app/registry/ASKeyedCollection.h"
#include "app/registry/ASRegistryKey.h"

// The subkeys that ASRegistry::ListKeys found, in the order found.
class ASRegistryKeys : public ASKeyedCollection<ASRegistryKey> {
public:
    // Adds a new key item, under the collection key `sKey` unless it is empty.
    Entry Add(const QString &KeyNames, const QString &sKey = QString());
};
