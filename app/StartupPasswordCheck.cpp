#include "StartupPasswordCheck.h"

#include "MessageBox.h"
#include "PasswordControl.h"
#include "ProgramExit.h"
#include "StoredPassword.h"

bool passwordCheckPassed(StoredPassword &stored, PasswordControl &control)
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
