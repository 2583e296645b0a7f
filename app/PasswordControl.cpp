#include "app/PasswordControl.h"

#include "password/VTPasswordDispIds.h"
#include "password/VTPasswordIds.h"
#include "password/VantrelPasswordExports.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/Dispatch.h"
#include "platform/com/FormContainer.h"

#include <QWidget>

namespace {

const QString controlName = QStringLiteral("VTPass");
// The size the window's layout gives VTPass, in pixels.
constexpr QSize savedSize(32, 32);

QString describe(const char *member, HRESULT status)
{
    return QStringLiteral("the password control failed %1 (error 0x%2)")
        .arg(QLatin1String(member))
        .arg(quint32(status), 8, 16, QLatin1Char('0'));
}

void require(const char *member, HRESULT status)
{
    if (FAILED(status))
        throw ControlFailure(member, status);
}

} // namespace

ControlFailure::ControlFailure(const char *member, HRESULT status)
    : std::runtime_error(describe(member, status).toStdString()), m_status(status)
{
}

PasswordControl::PasswordControl(QWidget *form)
    : m_container(std::make_unique<FormContainer>(form, FormContainer::Mode::Run))
{
    ComPtr<IClassFactory> factory;
    require("to hand out its class factory",
            DllGetClassObject(VTPasswordIds::control, IClassFactory::iid, factory.put()));
    const SavedControl saved{controlName, VTPasswordIds::control, {}};
    require("to load", m_container->load(saved, factory.get()));
    require("to take its size", m_container->resizeControl(controlName, savedSize));
    m_dispatch = queryInterface<IDispatch>(m_container->control(controlName).get());
    if (!m_dispatch)
        throw ControlFailure("to offer its dispatch interface", E_NOINTERFACE);
}

PasswordControl::~PasswordControl() = default;

Variant PasswordControl::invoke(const char *member, int id, std::uint16_t flags,
                                std::vector<Variant> args)
{
    Variant result;
    require(member, m_dispatch->Invoke(id, flags, args, &result));
    return result;
}

void PasswordControl::setPassword(QString password)
{
    invoke("to take Password", VTPasswordDispId::Password, DISPATCH_PROPERTYPUT,
           {Variant::stringRef(&password)});
}

QString PasswordControl::password()
{
    return invoke("to give Password", VTPasswordDispId::Password, DISPATCH_PROPERTYGET, {})
        .stringValue();
}

void PasswordControl::getPassword()
{
    invoke("to show its get-password dialog", VTPasswordDispId::GetPassword, DISPATCH_METHOD, {});
}

void PasswordControl::createPassword()
{
    invoke("to show its create-password dialog", VTPasswordDispId::CreatePassword, DISPATCH_METHOD,
           {});
}

bool PasswordControl::validated()
{
    return isTrue(invoke("to give Validated", VTPasswordDispId::Validated, DISPATCH_PROPERTYGET, {})
                      .boolValue());
}

bool PasswordControl::cancelled()
{
    return isTrue(invoke("to give Cancelled", VTPasswordDispId::Cancelled, DISPATCH_PROPERTYGET, {})
                      .boolValue());
}
