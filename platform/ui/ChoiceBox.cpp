#include "platform/ui/ChoiceBox.h"

#include <QMessageBox>
#include <QPushButton>

namespace platform {
namespace {

std::function<int(const ChoiceCall &)> &choiceSlot()
{
    static std::function<int(const ChoiceCall &)> handler;
    return handler;
}

QMessageBox::Icon boxIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    default:
        return QMessageBox::NoIcon;
    }
}

} // namespace

int askChoice(const ChoiceCall &call)
{
    if (const auto &handler = choiceSlot())
        return handler(call);
    QMessageBox box(boxIcon(call.icon), call.title, call.text, QMessageBox::NoButton, call.owner);
    box.setWindowModality(Qt::ApplicationModal);
    box.setDetailedText(call.details);
    QList<QPushButton *> buttons;
    for (const QString &caption : call.buttons)
        buttons << box.addButton(caption, QMessageBox::ActionRole);
    if (!buttons.isEmpty())
        box.setDefaultButton(buttons.front());
    if (call.escapeAnswer >= 0 && call.escapeAnswer < buttons.size())
        box.setEscapeButton(buttons[call.escapeAnswer]);
    box.exec();
    const int chosen = int(buttons.indexOf(static_cast<QPushButton *>(box.clickedButton())));
    return chosen < 0 ? call.escapeAnswer : chosen;
}

void setChoiceHandler(std::function<int(const ChoiceCall &)> handler)
{
    choiceSlot() = std::move(handler);
}

} // namespace platform
