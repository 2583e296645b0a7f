#pragma once
#include <QString>

#include <vector>

// One entry that self-registration writes under HKEY_CLASSES_ROOT: a key, and a string value
// in it (`valueName` empty: the key's default value) unless `hasValue` is false.
struct RegistrationEntry {
    QString key;
    QString valueName;
    QString data;
    bool hasValue = true;
};

// Everything that registering the control library with its file at `libraryPath` writes,
// parents before children.
std::vector<RegistrationEntry> registrationEntries(const QString &libraryPath);
