#include "password/VTPasswordRegistration.h"
#include "password/PasswordLogging.h"

#include "password/VTPasswordTypeLibrary.h"
#include "password/VantrelPasswordExports.h"
#include "platform/com/BoundaryCall.h"
#include "platform/registry/winreg.h"

#include <QFileInfo>

#include <algorithm>

#include <dlfcn.h>

namespace {

// The proxy classes of the system's automation marshaller, for dual and for dispatch-only
// interfaces.
const QString dualProxy = QStringLiteral("{00020424-0000-0000-C000-000000000046}");
const QString dispatchProxy = QStringLiteral("{00020420-0000-0000-C000-000000000046}");

QString versionText(const Version &version)
{
    return QStringLiteral("%1.%2").arg(version.major).arg(version.minor);
}

void addInterface(std::vector<RegistrationEntry> &entries, const IID &iid,
                  const InterfaceDesc &interface, const TypeLibraryDesc &library)
{
    const QString key = QStringLiteral("Interface\\") + iid.toString();
    const bool dual = interface.flags & TYPEFLAG_FDUAL;
    entries.push_back({key, {}, interface.name});
    entries.push_back({key + "\\ProxyStubClsid32", {}, dual ? dualProxy : dispatchProxy});
    entries.push_back({key + "\\TypeLib", {}, library.libid.toString()});
    entries.push_back({key + "\\TypeLib", "Version", versionText(library.version)});
}

void addClass(std::vector<RegistrationEntry> &entries, const ClassDesc &cls,
              const TypeLibraryDesc &library, const QString &libraryPath)
{
    entries.push_back({cls.progId, {}, cls.progId});
    entries.push_back({cls.progId + "\\Clsid", {}, cls.clsid.toString()});
    const QString key = QStringLiteral("CLSID\\") + cls.clsid.toString();
    entries.push_back({key, {}, cls.progId});
    entries.push_back({key + "\\InprocServer32", {}, libraryPath});
    entries.push_back({key + "\\InprocServer32", "ThreadingModel", cls.threadingModel});
    entries.push_back({key + "\\ProgID", {}, cls.progId});
    entries.push_back({key + "\\VERSION", {}, versionText(library.version)});
    entries.push_back({key + "\\MiscStatus", {}, "0"});
    entries.push_back({key + "\\MiscStatus\\1", {}, QString::number(cls.miscStatus)});
    entries.push_back({key + "\\Control", {}, {}, false});
    const QString toolboxBitmap = QStringLiteral("%1, %2").arg(libraryPath).arg(cls.toolboxBitmap);
    entries.push_back({key + "\\ToolboxBitmap32", {}, toolboxBitmap});
    entries.push_back({key + "\\TypeLib", {}, library.libid.toString()});

    const InterfaceDesc *current = library.findInterface(cls.defaultInterface);
    const InterfaceDesc *events = library.findInterface(cls.eventInterface);
    addInterface(entries, cls.defaultInterface, *current, library);
    addInterface(entries, cls.eventInterface, *events, library);
    for (const VersionAliasDesc &earlier : cls.earlierVersions) {
        addInterface(entries, earlier.defaultInterface, *current, library);
        addInterface(entries, earlier.eventInterface, *events, library);
    }
}

void addLibrary(std::vector<RegistrationEntry> &entries, const TypeLibraryDesc &library,
                const QString &libraryPath)
{
    const QString key = QStringLiteral("TypeLib\\%1\\%2")
                            .arg(library.libid.toString(), versionText(library.version));
    entries.push_back({key, {}, library.helpString});
    entries.push_back({key + "\\FLAGS", {}, QString::number(library.flags)});
    entries.push_back(
        {key + QStringLiteral("\\%1\\%2").arg(library.locale, 0, 16).arg(library.platform),
         {},
         libraryPath});
    entries.push_back({key + "\\HELPDIR", {}, QFileInfo(libraryPath).absolutePath()});
}

// The file this library was loaded from.
QString thisLibraryPath()
{
    Dl_info info{};
    if (!dladdr(reinterpret_cast<void *>(&DllRegisterServer), &info) || !info.dli_fname)
        return {};
    return QFileInfo(QString::fromLocal8Bit(info.dli_fname)).absoluteFilePath();
}

bool writeEntry(const RegistrationEntry &entry)
{
    HKEY key = nullptr;
    if (RegCreateKeyA(HKEY_CLASSES_ROOT, entry.key.toUtf8().constData(), &key) != ERROR_SUCCESS)
        return false;
    LSTATUS status = ERROR_SUCCESS;
    if (entry.hasValue) {
        const QByteArray data = entry.data.toUtf8();
        const QByteArray name = entry.valueName.toUtf8();
        status = RegSetValueExA(key, name.isEmpty() ? nullptr : name.constData(), 0, REG_SZ,
                                reinterpret_cast<const BYTE *>(data.constData()),
                                DWORD(data.size() + 1));
    }
    RegCloseKey(key);
    return status == ERROR_SUCCESS;
}

bool keyIsEmpty(const QByteArray &path)
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CLASSES_ROOT, path.constData(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    char name[256];
    DWORD nameLength = sizeof name;
    DWORD dataLength = 0;
    const bool empty = RegEnumKeyA(key, 0, name, sizeof name) == ERROR_NO_MORE_ITEMS &&
                       RegEnumValueA(key, 0, name, &nameLength, nullptr, nullptr, nullptr,
                                     &dataLength) == ERROR_NO_MORE_ITEMS;
    RegCloseKey(key);
    return empty;
}

// Done, or nothing there to remove.
bool removedOrAbsent(LSTATUS status)
{
    return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

// Removes the entry's value, then its key and the keys above it for as long as nothing else
// is left in them: what others keep there stays. ERROR_SUCCESS, or the status with which the
// store refused a removal.
LSTATUS removeEntry(const RegistrationEntry &entry)
{
    if (entry.hasValue) {
        HKEY key = nullptr;
        const QByteArray path = entry.key.toUtf8();
        const LSTATUS opened =
            RegOpenKeyExA(HKEY_CLASSES_ROOT, path.constData(), 0, KEY_ALL_ACCESS, &key);
        if (opened != ERROR_SUCCESS)
            return removedOrAbsent(opened) ? ERROR_SUCCESS : opened;
        const QByteArray name = entry.valueName.toUtf8();
        const LSTATUS deleted = RegDeleteValueA(key, name.isEmpty() ? nullptr : name.constData());
        RegCloseKey(key);
        if (!removedOrAbsent(deleted))
            return deleted;
    }
    for (QString path = entry.key; !path.isEmpty();
         path = path.left(std::max<qsizetype>(path.lastIndexOf(u'\\'), 0))) {
        const QByteArray bytes = path.toUtf8();
        if (!keyIsEmpty(bytes))
            break;
        if (const LSTATUS deleted = RegDeleteKeyA(HKEY_CLASSES_ROOT, bytes.constData());
            !removedOrAbsent(deleted))
            return deleted;
    }
    return ERROR_SUCCESS;
}

// Children first, so that a parent is empty when its turn comes. Goes on past a refusal, so
// that as much as possible goes; false (and one message) when anything was refused.
bool removeEntries(const std::vector<RegistrationEntry> &entries)
{
    int refused = 0;
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        if (const LSTATUS status = removeEntry(*it); status != ERROR_SUCCESS && refused++ == 0)
            qCWarning(lcPassword, "The registration entry %s could not be removed (status %ld).",
                      qUtf8Printable(it->key), static_cast<long>(status));
    }
    if (refused > 1)
        qCWarning(lcPassword, "%d registration entries could not be removed.", refused);
    return refused == 0;
}

} // namespace

std::vector<RegistrationEntry> registrationEntries(const QString &libraryPath)
{
    const TypeLibraryDesc &library = vtPasswordTypeLibrary();
    std::vector<RegistrationEntry> entries;
    for (const ClassDesc &cls : library.classes)
        addClass(entries, cls, library, libraryPath);
    addLibrary(entries, library, libraryPath);
    return entries;
}

HRESULT DllRegisterServer()
{
    return boundaryCall([] {
        const QString path = thisLibraryPath();
        if (path.isEmpty())
            return SELFREG_E_CLASS;
        const std::vector<RegistrationEntry> entries = registrationEntries(path);
        for (const RegistrationEntry &entry : entries) {
            if (!writeEntry(entry)) {
                qCWarning(lcPassword, "The registration entry %s could not be written.",
                          qUtf8Printable(entry.key));
                // Leave no half registration behind (as far as the store lets us).
                static_cast<void>(removeEntries(entries));
                return SELFREG_E_CLASS;
            }
        }
        return S_OK;
    });
}

HRESULT DllUnregisterServer()
{
    return boundaryCall([] {
        return removeEntries(registrationEntries(thisLibraryPath())) ? S_OK : SELFREG_E_CLASS;
    });
}
