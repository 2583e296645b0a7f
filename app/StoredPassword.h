#pragma once
#include "app/registry/ASRegistry.h"

#include <QString>

#include <optional>

// The application password as the registry keeps it: value "Password" (a string, in clear)
// under HKEY_LOCAL_MACHINE\Software\Corvantide\Ember Coffer 1.65. The password counts as set
// whenever the value exists, whatever it holds; the empty text is a valid password.
class StoredPassword {
public:
    // The stored password, or nothing when the value does not exist (or the store cannot be
    // read, which looks the same to the registry classes).
    std::optional<QString> current();
    // Stores `password` as a string value. The registry's status: 0 when it was written.
    qint32 save(const QString &password);
    // Deletes the value. The registry's status: 0 when it was deleted.
    qint32 remove();

private:
    ASRegistry m_registry;
};
