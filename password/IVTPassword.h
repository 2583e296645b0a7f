#pragma once
#include "password/VTPasswordIds.h"
#include "platform/com/Dispatch.h"

// _VTPassword, the control's default interface: a dual interface, so its members can be
// called directly or by dispatch id through Invoke. Every member returns a status code.
// Writes marked "by reference" receive a pointer to the caller's variable; they only read it.
struct IVTPassword : IDispatch {
    static constexpr IID iid = VTPasswordIds::defaultInterface;

    virtual HRESULT About() = 0;
    virtual HRESULT GetPassword(QString *result) = 0;
    virtual HRESULT CreatePassword(QString *result) = 0;
    virtual HRESULT ChangePassword(QString *result) = 0;
    virtual HRESULT get_Size(std::int32_t *value) = 0;
    virtual HRESULT put_Size(std::int32_t value) = 0;
    virtual HRESULT get_ActiveButtons(VBool *value) = 0;
    virtual HRESULT put_ActiveButtons(VBool value) = 0;
    virtual HRESULT get_UseImages(VBool *value) = 0;
    virtual HRESULT put_UseImages(VBool value) = 0;
    virtual HRESULT get_Password(QString *value) = 0;
    virtual HRESULT put_Password(QString value) = 0;
    virtual HRESULT get_Cancelled(VBool *value) = 0;
    virtual HRESULT put_Cancelled(VBool value) = 0;
    virtual HRESULT get_Validated(VBool *value) = 0;
    virtual HRESULT put_Validated(VBool value) = 0;
    virtual HRESULT get_DialogTitleGetPassword(QString *value) = 0;
    virtual HRESULT put_DialogTitleGetPassword(QString value) = 0;
    virtual HRESULT get_DialogTitleCreatePassword(QString *value) = 0;
    virtual HRESULT put_DialogTitleCreatePassword(QString value) = 0;
    virtual HRESULT get_DialogTitleChangePassword(QString *value) = 0;
    virtual HRESULT put_DialogTitleChangePassword(QString value) = 0;
    virtual HRESULT get_CaseSensitive(VBool *value) = 0;
    virtual HRESULT put_CaseSensitive(VBool value) = 0;
    virtual HRESULT put_MaxLength(std::int32_t *value) = 0;
    virtual HRESULT get_MaxLength(std::int32_t *value) = 0;
    virtual HRESULT put_MinLength(std::int32_t *value) = 0;
    virtual HRESULT get_MinLength(std::int32_t *value) = 0;
    virtual HRESULT put_DBPassword(QString value) = 0;
    virtual HRESULT get_DBPassword(QString *value) = 0;
    virtual HRESULT put_CaptionChangeOldPwd(QString *value) = 0;
    virtual HRESULT get_CaptionChangeOldPwd(QString *value) = 0;
    virtual HRESULT put_CaptionChangeNewPwd(QString *value) = 0;
    virtual HRESULT get_CaptionChangeNewPwd(QString *value) = 0;
    virtual HRESULT put_CaptionChangeCfmPwd(QString *value) = 0;
    virtual HRESULT get_CaptionChangeCfmPwd(QString *value) = 0;
    virtual HRESULT put_CaptionCreateEntPwd(QString *value) = 0;
    virtual HRESULT get_CaptionCreateEntPwd(QString *value) = 0;
    virtual HRESULT put_CaptionCreateCfmPwd(QString *value) = 0;
    virtual HRESULT get_CaptionCreateCfmPwd(QString *value) = 0;
    virtual HRESULT put_CaptionGetPassword(QString *value) = 0;
    virtual HRESULT get_CaptionGetPassword(QString *value) = 0;
    virtual HRESULT put_CaptionOK(QString *value) = 0;
    virtual HRESULT get_CaptionOK(QString *value) = 0;
    virtual HRESULT put_CaptionCancel(QString *value) = 0;
    virtual HRESULT get_CaptionCancel(QString *value) = 0;
};
