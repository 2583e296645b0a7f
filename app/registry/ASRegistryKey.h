#pragma once
#include <QString>

// One subkey found by ASRegistry::ListKeys.
class ASRegistryKey {
public:
    QString KeyNames;
};
