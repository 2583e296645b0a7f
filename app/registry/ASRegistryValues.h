#pragma once
#include "app/registry/ASKeyedCollection.h"
#include "app/registry/ASRegistryValue.h"

// The values that ASRegistry::ListValues found, in the order found.
class ASRegistryValues : public ASKeyedCollection<ASRegistryValue> {
public:
    // Adds a new value item, under the collection key `sKey` unless it is empty.
    Entry Add(const QString &ValueName, const QVariant &ValueData, qint32 DataType,
              const QString &sKey = QString());
};
