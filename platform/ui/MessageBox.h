#pragma once
#include "platform/ui/PlatformUiExport.h"
#include <QString>
#include <functional>

class QWidget;

namespace platform {

enum class MessageIcon { None, Information, Exclamation, Question };

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

// Shows a modal question with a Yes and a No button and waits for the answer: true for Yes.
// No is the default button, and closing the box answers No.
PLATFORMUI_EXPORT bool askYesNo(QWidget *owner, const QString &text, const QString &title);

// A non-empty handler answers every question instead of a real box (the call's icon is
// Question); an empty handler restores real boxes.
PLATFORMUI_EXPORT void setQuestionHandler(std::function<bool(const MessageBoxCall &)> handler);

} // namespace platform
