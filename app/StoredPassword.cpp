#include "app/StoredPassword.h"

namespace {

// The registry classes take every argument by reference, so each call gets fresh copies.
struct Location {
    qint32 root = ASRegistry::handleValue(HKEY_LOCAL_MACHINE);
    QString key = QStringLiteral("Software\\Corvantide\\Ember Coffer 1.65");
    QString name = QStringLiteral("Password");
};

qint32 statusOf(const QVariant &status) { return status.toInt(); }

} // namespace

std::optional<QString> StoredPassword::current()
{
    Location at;
    if (!isTrue(m_registry.ValueExist(at.root, at.key, at.name)))
        return std::nullopt;
    return m_registry.ReadValue(at.root, at.key, at.name).toString();
}

qint32 StoredPassword::save(const QString &password)
{
    Location at;
    qint32 type = REG_SZ;
    QString data = password;
    return statusOf(m_registry.WriteValue(at.root, at.key, type, at.name, data));
}

qint32 StoredPassword::remove()
{
    Location at;
    return statusOf(m_registry.DeleteValue(at.root, at.key, at.name));
}
