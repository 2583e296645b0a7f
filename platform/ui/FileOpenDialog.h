#pragma once
#include "platform/ui/PlatformUiExport.h"
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace platform {

// What a file-open dialog is asked to show.
struct PLATFORMUI_EXPORT FileOpenRequest {
    QWidget *owner = nullptr;
    QString title;
    // The file name the dialog starts with (may be empty).
    QString fileName;
    // Pairs of description and pattern list, each ended by '|', patterns separated by ';':
    // "Text (*.txt)|*.txt|All (*.*)|*.*|".
    QString filter;
    // The pair selected when the dialog opens, counted from 0.
    int filterIndex = 0;
    // Whether several files may be chosen together (showFilesOpenDialog).
    bool several = false;
};

// Turns a '|'-separated filter into Qt name filters, one per pair: "Text (*.txt)".
// An incomplete last pair and empty pairs are dropped.
PLATFORMUI_EXPORT QStringList toQtNameFilters(const QString &filter);

// Shows a modal file-open dialog for an existing file and returns the chosen path,
// or an empty string when the user cancels.
PLATFORMUI_EXPORT QString showFileOpenDialog(const FileOpenRequest &request);
// The same dialog where several existing files may be chosen together; an empty list when the
// user cancels. A test handler's answer is taken as the one chosen file.
PLATFORMUI_EXPORT QStringList showFilesOpenDialog(const FileOpenRequest &request);

// A non-empty handler answers every request instead of a real dialog (tests prepare the
// answer); an empty handler restores real dialogs.
PLATFORMUI_EXPORT void setFileOpenHandler(std::function<QString(const FileOpenRequest &)> handler);

} // namespace platform
