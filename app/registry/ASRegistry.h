#pragma once
#include "app/registry/ASRegistryKeys.h"
#include "app/registry/ASRegistryValues.h"
#include "platform/core/VBool.h"
#include "platform/registry/winreg.h"

#include <QString>
#include <QVariant>

#include <memory>

// Creates, tests, reads, writes, lists and deletes registry keys and values.
//
// `hKey` is an open key handle or a predefined root as a 32-bit integer (handleValue turns
// an HKEY into one). Statuses come back as a QVariant holding the 32-bit status code (0 is
// success), Booleans as VBool, missing data as the empty (invalid) QVariant; failures of the
// registry itself are never raised. Only a value that WriteValue cannot convert raises
// ASRegistryError. Texts passed by reference come back as their own round trip through the
// ANSI code page (UTF-8 here), which leaves every ordinary text as it was.
//
// The instance keeps the collections that ListKeys and ListValues fill; each listing appends
// to its collection and returns that same collection.
class ASRegistry {
public:
    // The 32-bit integer that stands for a handle, sign-extended back when it is used.
    static qint32 handleValue(HKEY key);

    QVariant CreateKey(qint32 &hKey, QString &SubKey);
    VBool KeyExist(qint32 &hKey, QString &SubKey);
    // True for every value that exists, whatever the size of its data.
    VBool ValueExist(qint32 &hKey, QString &SubKey, QString &ValueName);
    QVariant DeleteKey(qint32 &hKey, QString &SubKey);
    QVariant DeleteValue(qint32 &hKey, QString &SubKey, QString &ValueName);
    // The subkeys of SubKey (of hKey itself when SubKey is empty), or nullptr when SubKey
    // cannot be opened.
    std::shared_ptr<ASRegistryKeys> ListKeys(qint32 hKey, QString SubKey);
    // The values of types 1, 3 and 4 with data, read whole.
    std::shared_ptr<ASRegistryValues> ListValues(qint32 hKey, QString SubKey);
    // Stores ValueData as type 1 (string), 3 (binary) or 4 (32-bit number), creating the key;
    // any other type only creates the key.
    QVariant WriteValue(qint32 &hKey, QString &SubKey, qint32 &ValueType, QString &ValueName,
                        QString &ValueData);
    // The value as text, read whole; empty when it is missing or of another type.
    QVariant ReadValue(qint32 &hKey, QString &SubKey, QString &ValueName);
    // 1, 3 or 4, or empty.
    QVariant ReadDataType(qint32 &hKey, QString &SubKey, QString &ValueName);

private:
    std::shared_ptr<ASRegistryKeys> &keys();
    std::shared_ptr<ASRegistryValues> &values();

    std::shared_ptr<ASRegistryKeys> m_keys;
    std::shared_ptr<ASRegistryValues> m_values;
};
