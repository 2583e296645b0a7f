#include "password/RegistryKeyValue.h"

#include <QByteArray>

#include "platform/registry/ScopedKey.h"

namespace {

// Read control and every key-specific right.
constexpr REGSAM keyAllAccess = 0x2003F;
constexpr DWORD bufferBytes = 1024;

} // namespace

bool GetKeyValue(HKEY keyRoot, const QString &keyName, const QString &valueName, QString &keyValue)
{
    keyValue.clear();
    registry::ScopedKey key;
    if (RegOpenKeyExA(keyRoot, keyName.toUtf8().constData(), 0, keyAllAccess, &key.handle) !=
        ERROR_SUCCESS)
        return false;

    BYTE buffer[bufferBytes];
    DWORD type = REG_NONE;
    DWORD size = bufferBytes;
    if (RegQueryValueExA(key.handle, valueName.toUtf8().constData(), nullptr, &type, buffer,
                         &size) != ERROR_SUCCESS)
        return false;

    QByteArray bytes(reinterpret_cast<const char *>(buffer), qMin(size, bufferBytes));
    if (bytes.endsWith('\0'))
        bytes.chop(1);
    if (type == REG_SZ)
        keyValue = QString::fromUtf8(bytes);
    return true;
}
