#include "platform/com/ClassObjects.h"

#include "platform/com/ComLogging.h"
#include "platform/registry/winreg.h"

#include <QByteArray>

#include <dlfcn.h>
#include <map>
#include <string>

namespace {

using GetClassObject = HRESULT (*)(const CLSID &, const IID &, void **);
using CanUnloadNow = HRESULT (*)();

// The libraries loaded so far, by file, as dlopen handles (one reference each).
std::map<std::string, void *> &loadedLibraries()
{
    static std::map<std::string, void *> libraries;
    return libraries;
}

void *load(const std::string &file)
{
    auto &libraries = loadedLibraries();
    if (const auto it = libraries.find(file); it != libraries.end())
        return it->second;
    void *handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle)
        libraries.emplace(file, handle);
    else
        qCWarning(lcCom, "The registered library %s cannot be loaded: %s", file.c_str(), dlerror());
    return handle;
}

} // namespace

std::string registeredLibrary(const CLSID &clsid)
{
    const QByteArray path = ("CLSID\\" + clsid.toString() + "\\InprocServer32").toUtf8();
    HKEY key = nullptr;
    if (const LSTATUS status =
            RegOpenKeyExA(HKEY_CLASSES_ROOT, path.constData(), 0, KEY_QUERY_VALUE, &key);
        status != ERROR_SUCCESS) {
        if (status != ERROR_FILE_NOT_FOUND)
            qCWarning(lcCom, "The settings store could not be read at %s (status %ld).",
                      path.constData(), static_cast<long>(status));
        return {};
    }
    DWORD type = 0, size = 0;
    std::string file;
    if (RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_SZ && size > 0) {
        file.resize(size);
        BYTE *data = reinterpret_cast<BYTE *>(file.data());
        if (RegQueryValueExA(key, nullptr, nullptr, &type, data, &size) != ERROR_SUCCESS)
            file.clear();
        file.resize(file.find('\0') == std::string::npos ? file.size() : file.find('\0'));
    }
    RegCloseKey(key);
    return file;
}

HRESULT getClassObject(const CLSID &clsid, const IID &iid, void **object)
{
    if (!object)
        return E_POINTER;
    *object = nullptr;
    const std::string file = registeredLibrary(clsid);
    if (file.empty())
        return REGDB_E_CLASSNOTREG;
    void *library = load(file);
    if (!library)
        return CO_E_DLLNOTFOUND;
    const auto entry = reinterpret_cast<GetClassObject>(dlsym(library, "DllGetClassObject"));
    if (!entry) {
        qCWarning(lcCom, "The registered library %s has no DllGetClassObject.", file.c_str());
        return CO_E_ERRORINDLL;
    }
    return entry(clsid, iid, object);
}

int freeUnusedLibraries()
{
    int unloaded = 0;
    auto &libraries = loadedLibraries();
    for (auto it = libraries.begin(); it != libraries.end();) {
        const auto canUnload = reinterpret_cast<CanUnloadNow>(dlsym(it->second, "DllCanUnloadNow"));
        if (canUnload && canUnload() == S_OK) {
            dlclose(it->second);
            it = libraries.erase(it);
            ++unloaded;
        } else {
            ++it;
        }
    }
    return unloaded;
}
