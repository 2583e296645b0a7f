#include "platform/com/tool/RegSvr.h"

#include "platform/com/HResult.h"
#include "platform/registry/StorePath.h"

#include <cstdio>
#include <dlfcn.h>

namespace {

using EntryPoint = HRESULT (*)();

const char *const usage = "usage: regsvr [-u|--unregister] LIBRARY\n"
                          "Registers a component library for the current user (or with -u "
                          "removes its registration).\n";

struct Request {
    bool unregister = false;
    std::string library;
};

// Fills `request`; false on wrong use.
bool parse(const std::vector<std::string> &arguments, Request *request)
{
    for (const std::string &word : arguments) {
        if (word == "-u" || word == "--unregister" || word == "/u")
            request->unregister = true;
        else if (!word.empty() && word[0] != '-' && request->library.empty())
            request->library = word;
        else
            return false;
    }
    return !request->library.empty();
}

std::string hex(HRESULT status)
{
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(status));
    return text;
}

std::string storeName()
{
    const std::string path = registry::registryStorePath();
    return path.empty() ? std::string("the registry store") : path;
}

} // namespace

int runRegSvr(const std::vector<std::string> &arguments, std::ostream &out, std::ostream &err)
{
    if (arguments.size() == 1 && (arguments[0] == "-h" || arguments[0] == "--help")) {
        out << usage;
        return 0;
    }
    Request request;
    if (!parse(arguments, &request)) {
        err << usage;
        return 2;
    }
    void *library = dlopen(request.library.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        err << "regsvr: cannot load " << request.library << ": " << dlerror() << "\n";
        return 1;
    }
    const char *entryName = request.unregister ? "DllUnregisterServer" : "DllRegisterServer";
    const auto entry = reinterpret_cast<EntryPoint>(dlsym(library, entryName));
    int status = 0;
    if (!entry) {
        err << "regsvr: " << request.library << " is not a self-registering component library ("
            << entryName << " is missing)\n";
        status = 1;
    } else if (const HRESULT hr = entry(); FAILED(hr)) {
        err << "regsvr: " << entryName << " in " << request.library << " failed with error "
            << hex(hr) << " (is " << storeName() << " writable and undamaged?)\n";
        status = 1;
    } else {
        out << (request.unregister ? "Unregistered " : "Registered ") << request.library
            << (request.unregister ? " from " : " in ") << storeName() << "\n";
    }
    // The library stays loaded: the command ends here, and unloading a library that has
    // started Qt's machinery could run its clean-up in the wrong order.
    return status;
}
