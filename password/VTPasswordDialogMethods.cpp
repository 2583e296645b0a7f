// The three dialog methods. Each creates a fresh form of its kind in the size `Size` picks,
// sets the form's captions, runs the form's entry routine `GetPassword` (reached by name,
// with references to the control's own fields, so the cancel flag lands in `Cancelled`),
// and judges the result. The results are plain field stores: no notifications, no
// design-mode refusal. A form that cannot be created, or a control or entry routine it
// lacks, is returned as the call's error with `Password` and `Validated` untouched.
#include "password/VTPassword.h"

#include <initializer_list>
#include <memory>

#include "password/dialogs/FormControls.h"
#include "password/dialogs/PasswordForms.h"
#include "password/dialogs/PasswordMatch.h"

namespace {

// One label caption to set before the call: the label's index (-1 for the single label of
// the get forms) and the text.
struct LabelCaption {
    int index;
    const QString &caption;
};

// Creates the form of `kind` for the control's `Size` and sets the label captions in the
// given order, then the OK and the Cancel caption.
HRESULT openForm(DialogKind kind, const VTPasswordFields &fields,
                 std::initializer_list<LabelCaption> labels, std::unique_ptr<PasswordDialog> &form)
{
    form = createPasswordForm(dialogFormName(kind, dialogSizeFor(fields.size)));
    if (!form)
        return CLASS_E_CLASSNOTAVAILABLE;
    for (const LabelCaption &label : labels) {
        if (!setFormCaption(*form, QStringLiteral("GenericLabel"), label.index, label.caption))
            return DISP_E_MEMBERNOTFOUND;
    }
    if (!setFormCaption(*form, QStringLiteral("cmdOK"), -1, fields.captionOK) ||
        !setFormCaption(*form, QStringLiteral("cmdCancel"), -1, fields.captionCancel))
        return DISP_E_MEMBERNOTFOUND;
    return S_OK;
}

// Opens the form and runs its entry routine with the kind's own leading arguments followed
// by the four every kind takes last; the form is released on return.
template <class... Leading>
HRESULT showForm(DialogKind kind, const VTPasswordFields &fields,
                 std::initializer_list<LabelCaption> labels, QString &entered, Leading... leading)
{
    std::unique_ptr<PasswordDialog> form;
    const HRESULT opened = openForm(kind, fields, labels, form);
    if (FAILED(opened))
        return opened;
    if (!QMetaObject::invokeMethod(
            form.get(), "GetPassword", Qt::DirectConnection, Q_RETURN_ARG(QString, entered),
            leading..., Q_ARG(VBool, fields.activeButtons), Q_ARG(VBool, fields.useImages),
            Q_ARG(qint32, fields.minLength), Q_ARG(qint32, fields.maxLength)))
        return DISP_E_MEMBERNOTFOUND;
    return S_OK;
}

// After a create or change dialog: a confirmed entry becomes the password and is validated;
// a cancelled one changes nothing.
QString takeNewPassword(VTPasswordFields &fields, const QString &entered)
{
    if (isTrue(fields.cancelled))
        return {};
    fields.validated = VTrue;
    fields.password = entered;
    return entered;
}

} // namespace

HRESULT VTPassword::GetPassword(QString *result)
{
    if (!result)
        return E_POINTER;
    QString entered;
    const HRESULT shown = showForm(DialogKind::Get, m_fields, {{-1, m_fields.captionGetPassword}},
                                   entered, Q_ARG(VBool &, m_fields.cancelled),
                                   Q_ARG(QString, m_fields.dialogTitleGetPassword));
    if (FAILED(shown))
        return shown;
    // Judged also after a cancel, when the entry is empty.
    m_fields.validated =
        toVBool(passwordsMatch(m_fields.password, entered, isTrue(m_fields.caseSensitive)));
    *result = entered;
    return S_OK;
}

HRESULT VTPassword::CreatePassword(QString *result)
{
    if (!result)
        return E_POINTER;
    QString entered;
    const HRESULT shown =
        showForm(DialogKind::Create, m_fields,
                 {{0, m_fields.captionCreateEntPwd}, {1, m_fields.captionCreateCfmPwd}}, entered,
                 Q_ARG(VBool, m_fields.caseSensitive), Q_ARG(VBool &, m_fields.cancelled),
                 Q_ARG(QString, m_fields.dialogTitleCreatePassword));
    if (FAILED(shown))
        return shown;
    *result = takeNewPassword(m_fields, entered);
    return S_OK;
}

HRESULT VTPassword::ChangePassword(QString *result)
{
    if (!result)
        return E_POINTER;
    QString entered;
    const HRESULT shown = showForm(
        DialogKind::Change, m_fields,
        {{2, m_fields.captionChangeOldPwd},
         {0, m_fields.captionChangeNewPwd},
         {1, m_fields.captionChangeCfmPwd}},
        entered, Q_ARG(VBool, m_fields.caseSensitive), Q_ARG(QString, m_fields.password),
        Q_ARG(VBool &, m_fields.cancelled), Q_ARG(QString, m_fields.dialogTitleChangePassword));
    if (FAILED(shown))
        return shown;
    *result = takeNewPassword(m_fields, entered);
    return S_OK;
}
