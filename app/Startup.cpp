#include "app/Startup.h"

#include "app/PasswordControl.h"
#include "app/frmMain.h"
#include "platform/ui/MessageBox.h"

#include <cstdio>
#include <exception>

namespace {

void reportFailure(const QString &text)
{
    std::fprintf(stderr, "%s\n", qPrintable(text));
    platform::showMessageBox(nullptr, text, "Ember Coffer", platform::MessageIcon::Exclamation);
}

} // namespace

std::unique_ptr<frmMain> startUp()
{
    std::unique_ptr<frmMain> window;
    try {
        window = std::make_unique<frmMain>();
        if (!window->passwordCheckPassed())
            return nullptr;
    } catch (const ControlFailure &failure) {
        reportFailure(QString("Ember Coffer cannot start: %1.").arg(failure.what()));
        return nullptr;
    } catch (const std::exception &failure) {
        reportFailure(
            QString("Ember Coffer cannot start: %1.").arg(QString::fromLocal8Bit(failure.what())));
        return nullptr;
    }
    window->showCentred();
    return window;
}
