#pragma once
#include "password/IVTPassword.h"
#include "password/VTPasswordFields.h"
#include "platform/com/ComObject.h"
#include "platform/com/ComPtr.h"
#include "platform/com/EmbeddedControl.h"
#include "platform/com/PersistPropertyBag.h"

// The password dialog control. A host places it on a form, sets its texts and limits, and
// calls its dialog methods; at design time it shows a fixed 32 x 32 pixel picture, at run
// time nothing. Its properties persist with the host form.
//
// Member functions are spread over files by concern: properties here, persistence in
// VTPasswordPersistence.cpp, the surface in VTPasswordSurface.cpp, the dialog methods in
// VTPasswordDialogMethods.cpp and About in VTPasswordAbout.cpp.
class VTPassword final : public ComObject<IVTPassword, IEmbeddedControl, IPersistPropertyBag> {
public:
    // The picture drawn at design time and the fixed size of the surface, in pixels.
    static constexpr int surfacePixels = 32;

    // A new instance with one reference, counted by the library while it lives.
    static VTPassword *create();

    // IDispatch
    HRESULT GetTypeInfo(const InterfaceDesc **info) override;
    HRESULT GetIDsOfNames(const QStringList &names, std::vector<DispId> *ids) override;
    HRESULT Invoke(DispId id, std::uint16_t flags, std::vector<Variant> &args,
                   Variant *result) override;

    // _VTPassword
    HRESULT About() override;
    HRESULT GetPassword(QString *result) override;
    HRESULT CreatePassword(QString *result) override;
    HRESULT ChangePassword(QString *result) override;
    HRESULT get_Size(std::int32_t *value) override;
    HRESULT put_Size(std::int32_t value) override;
    HRESULT get_ActiveButtons(VBool *value) override;
    HRESULT put_ActiveButtons(VBool value) override;
    HRESULT get_UseImages(VBool *value) override;
    HRESULT put_UseImages(VBool value) override;
    HRESULT get_Password(QString *value) override;
    HRESULT put_Password(QString value) override;
    HRESULT get_Cancelled(VBool *value) override;
    HRESULT put_Cancelled(VBool value) override;
    HRESULT get_Validated(VBool *value) override;
    HRESULT put_Validated(VBool value) override;
    HRESULT get_DialogTitleGetPassword(QString *value) override;
    HRESULT put_DialogTitleGetPassword(QString value) override;
    HRESULT get_DialogTitleCreatePassword(QString *value) override;
    HRESULT put_DialogTitleCreatePassword(QString value) override;
    HRESULT get_DialogTitleChangePassword(QString *value) override;
    HRESULT put_DialogTitleChangePassword(QString value) override;
    HRESULT get_CaseSensitive(VBool *value) override;
    HRESULT put_CaseSensitive(VBool value) override;
    HRESULT put_MaxLength(std::int32_t *value) override;
    HRESULT get_MaxLength(std::int32_t *value) override;
    HRESULT put_MinLength(std::int32_t *value) override;
    HRESULT get_MinLength(std::int32_t *value) override;
    HRESULT put_DBPassword(QString value) override;
    HRESULT get_DBPassword(QString *value) override;
    HRESULT put_CaptionChangeOldPwd(QString *value) override;
    HRESULT get_CaptionChangeOldPwd(QString *value) override;
    HRESULT put_CaptionChangeNewPwd(QString *value) override;
    HRESULT get_CaptionChangeNewPwd(QString *value) override;
    HRESULT put_CaptionChangeCfmPwd(QString *value) override;
    HRESULT get_CaptionChangeCfmPwd(QString *value) override;
    HRESULT put_CaptionCreateEntPwd(QString *value) override;
    HRESULT get_CaptionCreateEntPwd(QString *value) override;
    HRESULT put_CaptionCreateCfmPwd(QString *value) override;
    HRESULT get_CaptionCreateCfmPwd(QString *value) override;
    HRESULT put_CaptionGetPassword(QString *value) override;
    HRESULT get_CaptionGetPassword(QString *value) override;
    HRESULT put_CaptionOK(QString *value) override;
    HRESULT get_CaptionOK(QString *value) override;
    HRESULT put_CaptionCancel(QString *value) override;
    HRESULT get_CaptionCancel(QString *value) override;

    // IEmbeddedControl
    HRESULT SetClientSite(IControlSite *site) override;
    HRESULT GetMiscStatus(std::uint32_t *status) override;
    HRESULT Draw(QPainter &painter) override;
    HRESULT ExtentChanged() override;

    // IPersistPropertyBag
    HRESULT InitNew() override;
    HRESULT Load(IPropertyBag *bag) override;
    HRESULT Save(IPropertyBag *bag) override;

private:
    VTPassword();
    void *findInterface(const IID &iid) override;

    // Tells the site that property `id` changed; without a site there is no one to tell.
    HRESULT notify(DispId id);
    // Whether the site lets the bound property `id` change (allowed when nothing is bound).
    bool bindingAllows(DispId id);
    // The ambient user mode: true unless the site says the form is being designed.
    bool inUserMode();

    template <class T>
    static HRESULT read(const T &field, T *value);
    template <class T>
    HRESULT write(T &field, const T &value, DispId id);
    template <class T>
    HRESULT writeByReference(T &field, const T *value, DispId id);
    HRESULT writeRunTimeOnly(VBool &field, VBool value, DispId id);

    VTPasswordFields m_fields;
    VTPasswordGuards m_guards;
    ComPtr<IControlSite> m_site;
};
