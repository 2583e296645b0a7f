#pragma once
#include "platform/ui/PlatformUiExport.h"
#include <QString>
#include <functional>

class QWidget;

namespace platform {

// Opens a help file with the desktop's viewer. A relative name is looked up in the current
// working folder; when no such file exists nothing happens. `command` and `data` select what
// to show (0 and 0: the default topic); the desktop viewer always opens the file itself.
PLATFORMUI_EXPORT void htmlHelp(QWidget *owner, const QString &file, int command, int data);

struct PLATFORMUI_EXPORT HtmlHelpCall {
    QWidget *owner;
    QString file;
    int command;
    int data;
};

// A non-empty handler receives every call instead of the viewer; empty restores the viewer.
PLATFORMUI_EXPORT void setHtmlHelpHandler(std::function<void(const HtmlHelpCall &)> handler);

} // namespace platform
