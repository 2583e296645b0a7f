#include "password/sdk/PasswordControl.h"

#include "password/LibraryBitmaps.h"
#include "password/VTPasswordDispIds.h"
#include "password/VTPasswordIds.h"
#include "password/VantrelPasswordExports.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/Dispatch.h"
#include "platform/com/FormContainer.h"

namespace VantrelPassword {
namespace {

namespace Id = VTPasswordDispId;

// The control's name on the widget's own little form.
const QString controlName = QStringLiteral("VTPassword");
// A copy of the factory interface's id, so that this library does not export the shared one.
constexpr IID classFactoryId = IClassFactory::iid;

FormContainer::Mode containerMode(PasswordControl::Mode mode)
{
    return mode == PasswordControl::Mode::Design ? FormContainer::Mode::Design
                                                 : FormContainer::Mode::Run;
}

} // namespace

// The widget is the form: the control is placed on it as a new control and reached only
// through its dispatch interface.
class PasswordControl::Private {
public:
    Private(PasswordControl::Mode mode, QWidget *form)
        : m_mode(mode), m_container(form, containerMode(mode))
    {
        ComPtr<IClassFactory> factory;
        m_lastError = DllGetClassObject(VTPasswordIds::control, classFactoryId, factory.put());
        if (SUCCEEDED(m_lastError))
            m_lastError = m_container.place(controlName, VTPasswordIds::control, factory.get());
        if (SUCCEEDED(m_lastError))
            m_dispatch = queryInterface<IDispatch>(m_container.control(controlName).get());
        if (SUCCEEDED(m_lastError) && !m_dispatch)
            m_lastError = E_NOINTERFACE;
        m_placement = m_lastError;
    }

    Variant invoke(DispId id, std::uint16_t flags, std::vector<Variant> args = {})
    {
        Variant result;
        m_lastError = m_dispatch ? m_dispatch->Invoke(id, flags, args, &result) : m_placement;
        return result;
    }
    Variant get(DispId id) { return invoke(id, DISPATCH_PROPERTYGET); }
    void put(DispId id, const Variant &value) { invoke(id, DISPATCH_PROPERTYPUT, {value}); }
    QString call(DispId id) { return invoke(id, DISPATCH_METHOD).stringValue(); }

    bool getBool(DispId id) { return isTrue(get(id).boolValue()); }
    void putBool(DispId id, bool value) { put(id, Variant::boolean(toVBool(value))); }
    int getInt(DispId id) { return get(id).int32Value(); }
    void putInt(DispId id, int value) { put(id, Variant::int32(value)); }
    QString getText(DispId id) { return get(id).stringValue(); }
    void putText(DispId id, const QString &value) { put(id, Variant(value)); }

    QWidget *surface() const { return m_container.surface(controlName); }

    const PasswordControl::Mode m_mode;
    FormContainer m_container;
    ComPtr<IDispatch> m_dispatch;
    // What placing the control gave: every call answers it when there is no control.
    HRESULT m_placement = S_OK;
    HRESULT m_lastError = S_OK;
};

PasswordControl::PasswordControl(QWidget *parent) : PasswordControl(Mode::Run, parent) {}

PasswordControl::PasswordControl(Mode mode, QWidget *parent)
    : QWidget(parent), m_d(std::make_unique<Private>(mode, this))
{
    if (mode == Mode::Run) {
        // Invisible at run time: an explicitly hidden child stays hidden when its form shows.
        hide();
        return;
    }
    // The control chose its extent when it was placed; the widget keeps exactly that size.
    if (const QWidget *surface = m_d->surface())
        setFixedSize(surface->size());
}

PasswordControl::~PasswordControl() = default;

PasswordControl::Mode PasswordControl::mode() const { return m_d->m_mode; }
int PasswordControl::lastError() const { return m_d->m_lastError; }

QString PasswordControl::getPassword() { return m_d->call(Id::GetPassword); }
QString PasswordControl::createPassword() { return m_d->call(Id::CreatePassword); }
QString PasswordControl::changePassword() { return m_d->call(Id::ChangePassword); }
void PasswordControl::about() { m_d->invoke(Id::About, DISPATCH_METHOD); }

PasswordControl::DialogSize PasswordControl::dialogSize() const
{
    return DialogSize(m_d->getInt(Id::Size));
}
void PasswordControl::setSize(DialogSize size) { m_d->putInt(Id::Size, size); }
bool PasswordControl::activeButtons() const { return m_d->getBool(Id::ActiveButtons); }
void PasswordControl::setActiveButtons(bool active) { m_d->putBool(Id::ActiveButtons, active); }
bool PasswordControl::useImages() const { return m_d->getBool(Id::UseImages); }
void PasswordControl::setUseImages(bool use) { m_d->putBool(Id::UseImages, use); }
QString PasswordControl::password() const { return m_d->getText(Id::Password); }
void PasswordControl::setPassword(const QString &password) { m_d->putText(Id::Password, password); }
bool PasswordControl::cancelled() const { return m_d->getBool(Id::Cancelled); }
void PasswordControl::setCancelled(bool cancelled) { m_d->putBool(Id::Cancelled, cancelled); }
bool PasswordControl::validated() const { return m_d->getBool(Id::Validated); }
void PasswordControl::setValidated(bool validated) { m_d->putBool(Id::Validated, validated); }
bool PasswordControl::caseSensitive() const { return m_d->getBool(Id::CaseSensitive); }
void PasswordControl::setCaseSensitive(bool caseSensitive)
{
    m_d->putBool(Id::CaseSensitive, caseSensitive);
}
int PasswordControl::maxLength() const { return m_d->getInt(Id::MaxLength); }
void PasswordControl::setMaxLength(int length) { m_d->putInt(Id::MaxLength, length); }
int PasswordControl::minLength() const { return m_d->getInt(Id::MinLength); }
void PasswordControl::setMinLength(int length) { m_d->putInt(Id::MinLength, length); }

QString PasswordControl::dialogTitleGetPassword() const
{
    return m_d->getText(Id::DialogTitleGetPassword);
}
void PasswordControl::setDialogTitleGetPassword(const QString &title)
{
    m_d->putText(Id::DialogTitleGetPassword, title);
}
QString PasswordControl::dialogTitleCreatePassword() const
{
    return m_d->getText(Id::DialogTitleCreatePassword);
}
void PasswordControl::setDialogTitleCreatePassword(const QString &title)
{
    m_d->putText(Id::DialogTitleCreatePassword, title);
}
QString PasswordControl::dialogTitleChangePassword() const
{
    return m_d->getText(Id::DialogTitleChangePassword);
}
void PasswordControl::setDialogTitleChangePassword(const QString &title)
{
    m_d->putText(Id::DialogTitleChangePassword, title);
}

QString PasswordControl::captionChangeOldPwd() const
{
    return m_d->getText(Id::CaptionChangeOldPwd);
}
void PasswordControl::setCaptionChangeOldPwd(const QString &caption)
{
    m_d->putText(Id::CaptionChangeOldPwd, caption);
}
QString PasswordControl::captionChangeNewPwd() const
{
    return m_d->getText(Id::CaptionChangeNewPwd);
}
void PasswordControl::setCaptionChangeNewPwd(const QString &caption)
{
    m_d->putText(Id::CaptionChangeNewPwd, caption);
}
QString PasswordControl::captionChangeCfmPwd() const
{
    return m_d->getText(Id::CaptionChangeCfmPwd);
}
void PasswordControl::setCaptionChangeCfmPwd(const QString &caption)
{
    m_d->putText(Id::CaptionChangeCfmPwd, caption);
}
QString PasswordControl::captionCreateEntPwd() const
{
    return m_d->getText(Id::CaptionCreateEntPwd);
}
void PasswordControl::setCaptionCreateEntPwd(const QString &caption)
{
    m_d->putText(Id::CaptionCreateEntPwd, caption);
}
QString PasswordControl::captionCreateCfmPwd() const
{
    return m_d->getText(Id::CaptionCreateCfmPwd);
}
void PasswordControl::setCaptionCreateCfmPwd(const QString &caption)
{
    m_d->putText(Id::CaptionCreateCfmPwd, caption);
}
QString PasswordControl::captionGetPassword() const { return m_d->getText(Id::CaptionGetPassword); }
void PasswordControl::setCaptionGetPassword(const QString &caption)
{
    m_d->putText(Id::CaptionGetPassword, caption);
}
QString PasswordControl::captionOK() const { return m_d->getText(Id::CaptionOK); }
void PasswordControl::setCaptionOK(const QString &caption) { m_d->putText(Id::CaptionOK, caption); }
QString PasswordControl::captionCancel() const { return m_d->getText(Id::CaptionCancel); }
void PasswordControl::setCaptionCancel(const QString &caption)
{
    m_d->putText(Id::CaptionCancel, caption);
}

QPixmap PasswordControl::toolboxPicture() { return loadLibraryBitmap(QStringLiteral("30000")); }

} // namespace VantrelPassword
