#pragma once
#include <ostream>
#include <string>
#include <vector>

// regsvr: registers a self-registering component library in the current user's registry
// store, or unregisters it, by loading it and calling its DllRegisterServer or
// DllUnregisterServer:
//
//   regsvr [-u|--unregister] LIBRARY
//
// LIBRARY is a path or a library name that the loader finds (libVantrelPassword.so.3).
// Returns the exit status: 0 done, 1 failed (one line naming the cause on `err`), 2 wrong use.
int runRegSvr(const std::vector<std::string> &arguments, std::ostream &out, std::ostream &err);
