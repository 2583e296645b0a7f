#pragma once
#include "platform/ui/PlatformUiExport.h"
#include <QString>
#include <functional>

namespace platform {

// Opens an address ("https://…", "mailto:…") or a file with the desktop's handler.
// Returns whether the desktop accepted it; callers may ignore the result.
PLATFORMUI_EXPORT bool shellExecute(const QString &address);

// Starts the program at `path` detached from this process; true when it started.
PLATFORMUI_EXPORT bool startProgram(const QString &path);

// True when `path` names an existing file (not a folder).
PLATFORMUI_EXPORT bool fileExists(const QString &path);

enum class ShellAction { Execute, StartProgram, FileExists };

struct PLATFORMUI_EXPORT ShellCall {
    ShellAction action;
    QString path;
};

// A non-empty handler receives every call instead of the desktop and returns the result to
// report (tests record the calls and prepare the results); an empty handler restores the
// real services.
PLATFORMUI_EXPORT void setShellHandler(std::function<bool(const ShellCall &)> handler);

} // namespace platform
