#pragma once
#include "platform/ui/MessageBox.h"
#include "platform/ui/PlatformUiExport.h"
#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

namespace platform {

// A question with buttons of its own ("One Archive", "Each File", "Cancel"), or a message
// with longer details.
struct PLATFORMUI_EXPORT ChoiceCall {
    QWidget *owner;
    QString text;
    QString title;
    QStringList buttons;
    // The answer when the box is closed without a button (Esc, the title bar's close).
    int escapeAnswer;
    // Longer text the box shows on request; may be empty.
    QString details;
    MessageIcon icon = MessageIcon::Question;
};

// Shows a modal question with one button per caption, the first the default, and returns the
// index of the chosen button (escapeAnswer when the box was closed).
PLATFORMUI_EXPORT int askChoice(const ChoiceCall &call);

// A non-empty handler answers every choice instead of a real box (tests prepare the answer);
// an empty handler restores real boxes.
PLATFORMUI_EXPORT void setChoiceHandler(std::function<int(const ChoiceCall &)> handler);

} // namespace platform
