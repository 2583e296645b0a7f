#include "app/registry/ASRegistry.h"

#include "app/registry/RegistryText.h"
#include "app/registry/SettingsLogging.h"
#include "platform/registry/ScopedKey.h"
#include "platform/registry/WholeValue.h"

#include <cstdint>
#include <vector>

// Every operation opens its key into a registry::ScopedKey, so the key is closed when the
// operation ends, also when a conversion raises.
namespace {

constexpr REGSAM FullAccess = KEY_ALL_ACCESS;

HKEY toHandle(qint32 value) { return reinterpret_cast<HKEY>(static_cast<std::intptr_t>(value)); }

QVariant status(LONG code) { return QVariant(static_cast<qint32>(code)); }

// A failure that the caller sees only as "no such value": anything but a missing key or value.
void logUnreadStore(LONG code, const QString &subKey)
{
    if (code != ERROR_SUCCESS && code != ERROR_FILE_NOT_FOUND)
        qCWarning(lcSettings, "The settings store could not be read at %s (status %ld).",
                  qUtf8Printable(subKey), static_cast<long>(code));
}

LONG setValue(HKEY key, const QByteArray &name, DWORD type, const QByteArray &data)
{
    return RegSetValueExA(key, name.constData(), 0, type,
                          reinterpret_cast<const BYTE *>(data.constData()),
                          static_cast<DWORD>(data.size()));
}

} // namespace

qint32 ASRegistry::handleValue(HKEY key)
{
    return static_cast<qint32>(reinterpret_cast<std::intptr_t>(key));
}

std::shared_ptr<ASRegistryKeys> &ASRegistry::keys()
{
    if (!m_keys)
        m_keys = std::make_shared<ASRegistryKeys>();
    return m_keys;
}

std::shared_ptr<ASRegistryValues> &ASRegistry::values()
{
    if (!m_values)
        m_values = std::make_shared<ASRegistryValues>();
    return m_values;
}

QVariant ASRegistry::CreateKey(qint32 &hKey, QString &SubKey)
{
    registry::ScopedKey key;
    return status(RegCreateKeyA(toHandle(hKey), toAnsi(SubKey).constData(), &key.handle));
}

VBool ASRegistry::KeyExist(qint32 &hKey, QString &SubKey)
{
    registry::ScopedKey key;
    const LONG opened =
        RegOpenKeyExA(toHandle(hKey), toAnsi(SubKey).constData(), 0, KEY_QUERY_VALUE, &key.handle);
    logUnreadStore(opened, SubKey);
    return toVBool(opened == ERROR_SUCCESS);
}

VBool ASRegistry::ValueExist(qint32 &hKey, QString &SubKey, QString &ValueName)
{
    registry::ScopedKey key;
    const LONG opened =
        RegOpenKeyExA(toHandle(hKey), toAnsi(SubKey).constData(), 0, KEY_QUERY_VALUE, &key.handle);
    logUnreadStore(opened, SubKey);
    if (opened != ERROR_SUCCESS)
        return VFalse;
    DWORD size = 0;
    const LONG queried = RegQueryValueExA(key.handle, toAnsi(ValueName).constData(), nullptr,
                                          nullptr, nullptr, &size);
    logUnreadStore(queried, SubKey);
    return toVBool(queried == ERROR_SUCCESS);
}

QVariant ASRegistry::DeleteKey(qint32 &hKey, QString &SubKey)
{
    return status(RegDeleteKeyA(toHandle(hKey), toAnsi(SubKey).constData()));
}

QVariant ASRegistry::DeleteValue(qint32 &hKey, QString &SubKey, QString &ValueName)
{
    registry::ScopedKey key;
    RegOpenKeyExA(toHandle(hKey), toAnsi(SubKey).constData(), 0, FullAccess, &key.handle);
    return status(RegDeleteValueA(key.handle, toAnsi(ValueName).constData()));
}

std::shared_ptr<ASRegistryKeys> ASRegistry::ListKeys(qint32 hKey, QString SubKey)
{
    registry::ScopedKey opened;
    HKEY key = toHandle(hKey);
    if (!SubKey.isEmpty()) {
        if (RegOpenKeyExA(key, toAnsi(SubKey).constData(), 0, KEY_READ, &opened.handle) !=
            ERROR_SUCCESS)
            return nullptr;
        key = opened.handle;
    }
    std::vector<char> name(registry::KeyNameBufferBytes);
    for (DWORD index = 0;
         RegEnumKeyA(key, index, name.data(), registry::KeyNameBufferBytes) == ERROR_SUCCESS;
         ++index)
        keys()->Add(QString::fromUtf8(name.data()));
    return keys();
}

std::shared_ptr<ASRegistryValues> ASRegistry::ListValues(qint32 hKey, QString SubKey)
{
    registry::ScopedKey key;
    if (RegOpenKeyExA(toHandle(hKey), toAnsi(SubKey).constData(), 0, KEY_READ, &key.handle) ==
        ERROR_SUCCESS) {
        registry::WholeValue value;
        // Any failure ends the listing: going on past it would never reach the end.
        for (DWORD index = 0; registry::enumWholeValue(key.handle, index, value) == ERROR_SUCCESS;
             ++index) {
            const QVariant text = textFromValue(value.type, value.data);
            if (value.data.empty() || !text.isValid())
                continue;
            values()->Add(QString::fromStdString(value.name), text,
                          static_cast<qint32>(value.type));
        }
    }
    return values();
}

QVariant ASRegistry::WriteValue(qint32 &hKey, QString &SubKey, qint32 &ValueType,
                                QString &ValueName, QString &ValueData)
{
    registry::ScopedKey key;
    LONG result = RegCreateKeyA(toHandle(hKey), toAnsi(SubKey).constData(), &key.handle);
    const QByteArray name = toAnsi(ValueName);
    switch (ValueType) {
    case REG_SZ: {
        QByteArray data = toAnsi(ValueData);
        data.append('\0');
        result = setValue(key.handle, name, REG_SZ, data);
        break;
    }
    case REG_BINARY:
        result = setValue(key.handle, name, REG_BINARY, binaryFromText(ValueData));
        break;
    case REG_DWORD: {
        const qint32 number = numberFromText(ValueData);
        QByteArray data(4, '\0');
        for (int at = 0; at < 4; ++at)
            data[at] = static_cast<char>((static_cast<quint32>(number) >> (8 * at)) & 0xFF);
        result = setValue(key.handle, name, REG_DWORD, data);
        break;
    }
    default:
        break;
    }
    return status(result);
}

QVariant ASRegistry::ReadValue(qint32 &hKey, QString &SubKey, QString &ValueName)
{
    registry::ScopedKey key;
    RegOpenKeyExA(toHandle(hKey), toAnsi(SubKey).constData(), 0, KEY_READ, &key.handle);
    registry::WholeValue value;
    if (registry::queryWholeValue(key.handle, toAnsi(ValueName).toStdString(), value) !=
        ERROR_SUCCESS)
        return {};
    return textFromValue(value.type, value.data);
}

QVariant ASRegistry::ReadDataType(qint32 &hKey, QString &SubKey, QString &ValueName)
{
    registry::ScopedKey key;
    RegOpenKeyExA(toHandle(hKey), toAnsi(SubKey).constData(), 0, FullAccess, &key.handle);
    DWORD type = REG_NONE;
    DWORD size = 0;
    const LONG queried =
        RegQueryValueExA(key.handle, toAnsi(ValueName).constData(), nullptr, &type, nullptr, &size);
    const bool known = type == REG_SZ || type == REG_BINARY || type == REG_DWORD;
    return queried == ERROR_SUCCESS && known ? QVariant(static_cast<qint32>(type)) : QVariant();
}
