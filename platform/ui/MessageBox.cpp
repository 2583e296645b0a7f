#include "platform/ui/MessageBox.h"

#include <QMessageBox>

namespace platform {
namespace {

std::function<void(const MessageBoxCall &)> &messageBoxHandler()
{
    static std::function<void(const MessageBoxCall &)> handler;
    return handler;
}

std::function<bool(const MessageBoxCall &)> &questionSlot()
{
    static std::function<bool(const MessageBoxCall &)> handler;
    return handler;
}

QMessageBox::Icon qtIcon(MessageIcon icon)
{
    switch (icon) {
    case MessageIcon::Information:
        return QMessageBox::Information;
    case MessageIcon::Exclamation:
        return QMessageBox::Warning;
    case MessageIcon::Question:
        return QMessageBox::Question;
    case MessageIcon::None:
        break;
    }
    return QMessageBox::NoIcon;
}

} // namespace

void showMessageBox(QWidget *owner, const QString &text, const QString &title, MessageIcon icon)
{
    if (const auto &handler = messageBoxHandler()) {
        handler(MessageBoxCall{owner, text, title, icon});
        return;
    }
    QMessageBox box(qtIcon(icon), title, text, QMessageBox::Ok, owner);
    box.setWindowModality(Qt::ApplicationModal);
    box.exec();
}

void setMessageBoxHandler(std::function<void(const MessageBoxCall &)> handler)
{
    messageBoxHandler() = std::move(handler);
}

bool askYesNo(QWidget *owner, const QString &text, const QString &title)
{
    if (const auto &handler = questionSlot())
        return handler(MessageBoxCall{owner, text, title, MessageIcon::Question});
    QMessageBox box(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No, owner);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    box.setWindowModality(Qt::ApplicationModal);
    return box.exec() == QMessageBox::Yes;
}

void setQuestionHandler(std::function<bool(const MessageBoxCall &)> handler)
{
    questionSlot() = std::move(handler);
}

} // namespace platform
