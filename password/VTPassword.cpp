#include "password/VTPassword.h"

#include "password/VTPasswordDispIds.h"
#include "password/VTPasswordMembers.h"
#include "password/VTPasswordModule.h"
#include "password/VTPasswordTypeLibrary.h"

namespace Id = VTPasswordDispId;

VTPassword *VTPassword::create() { return new VTPassword; }

VTPassword::VTPassword() : ComObject(&vtPasswordModule()) {}

void *VTPassword::findInterface(const IID &iid)
{
    // Hosts built against an earlier version ask by its identifier and get the current one.
    if (iid == IDispatch::iid || vtPasswordTypeLibrary().classes.front().isDefaultInterface(iid))
        return static_cast<IVTPassword *>(this);
    if (iid == IEmbeddedControl::iid)
        return static_cast<IEmbeddedControl *>(this);
    if (iid == IPersistPropertyBag::iid)
        return static_cast<IPersistPropertyBag *>(this);
    return nullptr;
}

HRESULT VTPassword::GetTypeInfo(const InterfaceDesc **info)
{
    if (!info)
        return E_POINTER;
    *info = &vtPasswordMembers().description();
    return S_OK;
}

HRESULT VTPassword::GetIDsOfNames(const QStringList &names, std::vector<DispId> *ids)
{
    return vtPasswordMembers().idsOfNames(names, ids);
}

HRESULT VTPassword::Invoke(DispId id, std::uint16_t flags, std::vector<Variant> &args,
                           Variant *result)
{
    return vtPasswordMembers().invoke(*this, id, flags, args, result);
}

// --- the container ---------------------------------------------------------------------

HRESULT VTPassword::SetClientSite(IControlSite *site)
{
    m_site = ComPtr<IControlSite>(site);
    return S_OK;
}

HRESULT VTPassword::GetMiscStatus(std::uint32_t *status)
{
    if (!status)
        return E_POINTER;
    *status = vtPasswordTypeLibrary().classes.front().miscStatus;
    return S_OK;
}

HRESULT VTPassword::notify(DispId id) { return m_site ? m_site->OnChanged(id) : S_OK; }

bool VTPassword::bindingAllows(DispId id) { return !m_site || m_site->OnRequestEdit(id) == S_OK; }

bool VTPassword::inUserMode()
{
    VBool userMode = VTrue;
    if (m_site && FAILED(m_site->GetAmbientUserMode(&userMode)))
        userMode = VTrue; // a container that does not say is running the form
    return isTrue(userMode);
}

// --- property accessors ----------------------------------------------------------------

template <class T>
HRESULT VTPassword::read(const T &field, T *value)
{
    if (!value)
        return E_POINTER;
    *value = field;
    return S_OK;
}

// Stores first, then tells the container; a failing notification is the write's error.
template <class T>
HRESULT VTPassword::write(T &field, const T &value, DispId id)
{
    field = value;
    return notify(id);
}

template <class T>
HRESULT VTPassword::writeByReference(T &field, const T *value, DispId id)
{
    if (!value)
        return E_POINTER;
    return write(field, *value, id);
}

HRESULT VTPassword::writeRunTimeOnly(VBool &field, VBool value, DispId id)
{
    if (!inUserMode())
        return CTL_E_RUNTIMEONLY;
    return write(field, value, id);
}

HRESULT VTPassword::put_Password(QString value)
{
    if (m_guards.password)
        return S_OK;
    m_guards.password = true;
    m_fields.password = value;
    // The bound copy goes through the interface like any caller's write; its outcome and that
    // of the notification do not concern the caller.
    static_cast<IVTPassword *>(this)->put_DBPassword(value);
    notify(Id::Password);
    m_guards.password = false;
    return S_OK;
}

HRESULT VTPassword::put_DBPassword(QString value)
{
    if (m_guards.dbPassword)
        return S_OK;
    m_guards.dbPassword = true;
    if (bindingAllows(Id::DBPassword)) {
        m_fields.password = value;
        notify(Id::DBPassword);
        notify(Id::Password);
    }
    m_guards.dbPassword = false;
    return S_OK;
}

HRESULT VTPassword::get_Size(std::int32_t *value) { return read(m_fields.size, value); }
HRESULT VTPassword::put_Size(std::int32_t value) { return write(m_fields.size, value, Id::Size); }
HRESULT VTPassword::get_ActiveButtons(VBool *value) { return read(m_fields.activeButtons, value); }
HRESULT VTPassword::put_ActiveButtons(VBool value)
{
    return write(m_fields.activeButtons, value, Id::ActiveButtons);
}
HRESULT VTPassword::get_UseImages(VBool *value) { return read(m_fields.useImages, value); }
HRESULT VTPassword::put_UseImages(VBool value)
{
    return write(m_fields.useImages, value, Id::UseImages);
}
HRESULT VTPassword::get_Password(QString *value) { return read(m_fields.password, value); }
HRESULT VTPassword::get_DBPassword(QString *value) { return read(m_fields.password, value); }
HRESULT VTPassword::get_Cancelled(VBool *value) { return read(m_fields.cancelled, value); }
HRESULT VTPassword::put_Cancelled(VBool value)
{
    return writeRunTimeOnly(m_fields.cancelled, value, Id::Cancelled);
}
HRESULT VTPassword::get_Validated(VBool *value) { return read(m_fields.validated, value); }
HRESULT VTPassword::put_Validated(VBool value)
{
    return writeRunTimeOnly(m_fields.validated, value, Id::Validated);
}
HRESULT VTPassword::get_CaseSensitive(VBool *value) { return read(m_fields.caseSensitive, value); }
HRESULT VTPassword::put_CaseSensitive(VBool value)
{
    return write(m_fields.caseSensitive, value, Id::CaseSensitive);
}
HRESULT VTPassword::get_MaxLength(std::int32_t *value) { return read(m_fields.maxLength, value); }
HRESULT VTPassword::put_MaxLength(std::int32_t *value)
{
    return writeByReference(m_fields.maxLength, value, Id::MaxLength);
}
HRESULT VTPassword::get_MinLength(std::int32_t *value) { return read(m_fields.minLength, value); }
HRESULT VTPassword::put_MinLength(std::int32_t *value)
{
    return writeByReference(m_fields.minLength, value, Id::MinLength);
}

HRESULT VTPassword::get_DialogTitleGetPassword(QString *value)
{
    return read(m_fields.dialogTitleGetPassword, value);
}
HRESULT VTPassword::put_DialogTitleGetPassword(QString value)
{
    return write(m_fields.dialogTitleGetPassword, value, Id::DialogTitleGetPassword);
}
HRESULT VTPassword::get_DialogTitleCreatePassword(QString *value)
{
    return read(m_fields.dialogTitleCreatePassword, value);
}
HRESULT VTPassword::put_DialogTitleCreatePassword(QString value)
{
    return write(m_fields.dialogTitleCreatePassword, value, Id::DialogTitleCreatePassword);
}
HRESULT VTPassword::get_DialogTitleChangePassword(QString *value)
{
    return read(m_fields.dialogTitleChangePassword, value);
}
HRESULT VTPassword::put_DialogTitleChangePassword(QString value)
{
    return write(m_fields.dialogTitleChangePassword, value, Id::DialogTitleChangePassword);
}

HRESULT VTPassword::get_CaptionChangeOldPwd(QString *value)
{
    return read(m_fields.captionChangeOldPwd, value);
}
HRESULT VTPassword::put_CaptionChangeOldPwd(QString *value)
{
    return writeByReference(m_fields.captionChangeOldPwd, value, Id::CaptionChangeOldPwd);
}
HRESULT VTPassword::get_CaptionChangeNewPwd(QString *value)
{
    return read(m_fields.captionChangeNewPwd, value);
}
HRESULT VTPassword::put_CaptionChangeNewPwd(QString *value)
{
    return writeByReference(m_fields.captionChangeNewPwd, value, Id::CaptionChangeNewPwd);
}
HRESULT VTPassword::get_CaptionChangeCfmPwd(QString *value)
{
    return read(m_fields.captionChangeCfmPwd, value);
}
HRESULT VTPassword::put_CaptionChangeCfmPwd(QString *value)
{
    return writeByReference(m_fields.captionChangeCfmPwd, value, Id::CaptionChangeCfmPwd);
}
HRESULT VTPassword::get_CaptionCreateEntPwd(QString *value)
{
    return read(m_fields.captionCreateEntPwd, value);
}
HRESULT VTPassword::put_CaptionCreateEntPwd(QString *value)
{
    return writeByReference(m_fields.captionCreateEntPwd, value, Id::CaptionCreateEntPwd);
}
HRESULT VTPassword::get_CaptionCreateCfmPwd(QString *value)
{
    return read(m_fields.captionCreateCfmPwd, value);
}
HRESULT VTPassword::put_CaptionCreateCfmPwd(QString *value)
{
    return writeByReference(m_fields.captionCreateCfmPwd, value, Id::CaptionCreateCfmPwd);
}
HRESULT VTPassword::get_CaptionGetPassword(QString *value)
{
    return read(m_fields.captionGetPassword, value);
}
HRESULT VTPassword::put_CaptionGetPassword(QString *value)
{
    return writeByReference(m_fields.captionGetPassword, value, Id::CaptionGetPassword);
}
HRESULT VTPassword::get_CaptionOK(QString *value) { return read(m_fields.captionOK, value); }
HRESULT VTPassword::put_CaptionOK(QString *value)
{
    return writeByReference(m_fields.captionOK, value, Id::CaptionOK);
}
HRESULT VTPassword::get_CaptionCancel(QString *value)
{
    return read(m_fields.captionCancel, value);
}
HRESULT VTPassword::put_CaptionCancel(QString *value)
{
    return writeByReference(m_fields.captionCancel, value, Id::CaptionCancel);
}
