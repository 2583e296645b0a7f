#include "platform/ui/Shell.h"

#include "platform/ui/UiLogging.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace platform {
namespace {

std::function<bool(const ShellCall &)> &shellHandler()
{
    static std::function<bool(const ShellCall &)> handler;
    return handler;
}

// Hands the call to the test handler when one is set.
template <typename Real>
bool dispatch(ShellAction action, const QString &path, Real real)
{
    if (const auto &handler = shellHandler())
        return handler(ShellCall{action, path});
    return real();
}

bool logIfRefused(bool done, const char *what, const QString &path)
{
    if (!done)
        qCWarning(lcUi, "The desktop did not %s %s.", what, qUtf8Printable(path));
    return done;
}

} // namespace

bool shellExecute(const QString &address)
{
    return dispatch(ShellAction::Execute, address, [&] {
        const QUrl url = QUrl::fromUserInput(address, QDir::currentPath(), QUrl::AssumeLocalFile);
        return logIfRefused(url.isValid() && QDesktopServices::openUrl(url), "open", address);
    });
}

bool startProgram(const QString &path)
{
    return dispatch(ShellAction::StartProgram, path, [&] {
        return logIfRefused(!path.isEmpty() && QProcess::startDetached(path, {}), "start", path);
    });
}

bool fileExists(const QString &path)
{
    return dispatch(ShellAction::FileExists, path, [&] {
        const QFileInfo info(path);
        return !path.isEmpty() && info.exists() && !info.isDir();
    });
}

void setShellHandler(std::function<bool(const ShellCall &)> handler)
{
    shellHandler() = std::move(handler);
}

} // namespace platform
