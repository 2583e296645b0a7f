#include "app/WindowPasswordControl.h"

#include "password/sdk/PasswordControl.h"

namespace {

QString describe(const char *member, int status)
{
    return QStringLiteral("the password control failed %1 (error 0x%2)")
        .arg(QLatin1String(member))
        .arg(quint32(status), 8, 16, QLatin1Char('0'));
}

} // namespace

ControlFailure::ControlFailure(const char *member, int status)
    : std::runtime_error(describe(member, status).toStdString()), m_status(status)
{
}

WindowPasswordControl::WindowPasswordControl(QWidget *form)
    : m_control(new VantrelPassword::PasswordControl(form))
{
    m_control->setObjectName(QStringLiteral("VTPass"));
    require("to load");
}

void WindowPasswordControl::require(const char *member) const
{
    if (m_control->lastError() < 0)
        throw ControlFailure(member, m_control->lastError());
}

void WindowPasswordControl::setPassword(const QString &password)
{
    m_control->setPassword(password);
    require("to take Password");
}

QString WindowPasswordControl::password()
{
    return required("to give Password", m_control->password());
}

void WindowPasswordControl::getPassword()
{
    m_control->getPassword();
    require("to show its get-password dialog");
}

void WindowPasswordControl::createPassword()
{
    m_control->createPassword();
    require("to show its create-password dialog");
}

bool WindowPasswordControl::validated()
{
    return required("to give Validated", m_control->validated());
}

bool WindowPasswordControl::cancelled()
{
    return required("to give Cancelled", m_control->cancelled());
}
