#include "platform/ui/HtmlHelp.h"

#include "platform/ui/UiLogging.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QUrl>

namespace platform {
namespace {

std::function<void(const HtmlHelpCall &)> &htmlHelpHandler()
{
    static std::function<void(const HtmlHelpCall &)> handler;
    return handler;
}

} // namespace

void htmlHelp(QWidget *owner, const QString &file, int command, int data)
{
    if (const auto &handler = htmlHelpHandler()) {
        handler(HtmlHelpCall{owner, file, command, data});
        return;
    }
    const QFileInfo info(file);
    if (file.isEmpty() || !info.isFile())
        return;
    if (!QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath())))
        qCWarning(lcUi, "No viewer opened the help file %s.", qUtf8Printable(file));
}

void setHtmlHelpHandler(std::function<void(const HtmlHelpCall &)> handler)
{
    htmlHelpHandler() = std::move(handler);
}

} // namespace platform
