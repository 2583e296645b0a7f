#pragma once
#include "platform/ui/PlatformUiExport.h"
#include <QString>
#include <functional>

class QWidget;

namespace platform {

enum class MessageIcon { None, Information, Exclamation };

// Shows a modal message box with a single OK button and waits until it is closed.
// `owner` may be null: the box is then modal for the whole application.
PLATFORMUI_EXPORT void showMessageBox(QWidget *owner, const QString &text, const QString &title,
                                      MessageIcon icon);

struct PLATFORMUI_EXPORT MessageBoxCall {
    QWidget *owner;
    QString text;
    QString title;
    MessageIcon icon;
};

// A non-empty handler receives every call instead of a real box (tests record them);
// an empty handler restores real boxes.
PLATFORMUI_EXPORT void setMessageBoxHandler(std::function<void(const MessageBoxCall &)> handler);

} // namespace platform
