#include "app/StartupPasswordCheck.h"

#include "app/StoredPassword.h"
#include "app/WindowPasswordControl.h"
#include "platform/ui/MessageBox.h"
#include "platform/ui/ProgramExit.h"

bool passwordCheckPassed(StoredPassword &stored, WindowPasswordControl &control)
{
    const std::optional<QString> password = stored.current();
    if (!password)
        return true;
    control.setPassword(*password);
    control.getPassword();
    if (control.validated())
        return true;
    platform::showMessageBox(nullptr, QStringLiteral("Invalid Password."),
                             QStringLiteral("Password"), platform::MessageIcon::Exclamation);
    platform::endProgram(1);
    return false;
}
