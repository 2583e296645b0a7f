#pragma once
#include "password/VantrelPasswordExport.h"

#include <QPixmap>
#include <QString>
#include <QWidget>

#include <memory>

/// @file
/// The password control for Qt programs: @c \#include <VantrelPassword/PasswordControl.h>,
/// CMake target @c VantrelPassword::VantrelPassword, pkg-config module @c VantrelPassword.

namespace VantrelPassword {

/// The VTPassword control for Qt programs: a widget that creates the control, hosts it and
/// forwards every property and method through the control's dispatch interface, so it behaves
/// exactly as the control does for any other host.
///
/// @code
/// VantrelPassword::PasswordControl control;
/// control.setPassword(expected);
/// control.getPassword();            // shows the modal get-password dialog
/// if (control.validated()) ...
/// @endcode
///
/// At run time the widget stays hidden; created for a form designer it shows the control's
/// fixed 32 x 32 picture. The properties carry the control's member names, so a form file
/// saves them under those names.
///
/// No call throws. Every call sets lastError(): 0 when it succeeded, otherwise the status
/// code of the failure, and a getter then returns 0, false or an empty text. The failures:
/// - writing Cancelled or Validated in design mode: 0x800A017E (the control's error 382);
/// - any call on a control that could not be created (lastError() right after construction
///   says why, for example E_OUTOFMEMORY): that same status again;
/// - a dialog whose form cannot be built: CLASS_E_CLASSNOTAVAILABLE or DISP_E_MEMBERNOTFOUND
///   (never with the forms the library ships).
/// Values out of range are kept as given: a Size other than the three sizes means vtrNormal,
/// a MinLength of 0 or less no minimum, a MaxLength of 0 or less no maximum.
/// @since 3.5
class VANTRELPASSWORD_EXPORT PasswordControl : public QWidget {
    Q_OBJECT
    Q_PROPERTY(DialogSize Size READ dialogSize WRITE setSize)
    Q_PROPERTY(bool ActiveButtons READ activeButtons WRITE setActiveButtons)
    Q_PROPERTY(bool UseImages READ useImages WRITE setUseImages)
    Q_PROPERTY(QString Password READ password WRITE setPassword)
    Q_PROPERTY(bool Cancelled READ cancelled WRITE setCancelled DESIGNABLE false STORED false)
    Q_PROPERTY(bool Validated READ validated WRITE setValidated DESIGNABLE false STORED false)
    Q_PROPERTY(
        QString DialogTitleGetPassword READ dialogTitleGetPassword WRITE setDialogTitleGetPassword)
    Q_PROPERTY(QString DialogTitleCreatePassword READ dialogTitleCreatePassword WRITE
                   setDialogTitleCreatePassword)
    Q_PROPERTY(QString DialogTitleChangePassword READ dialogTitleChangePassword WRITE
                   setDialogTitleChangePassword)
    Q_PROPERTY(bool CaseSensitive READ caseSensitive WRITE setCaseSensitive)
    Q_PROPERTY(int MaxLength READ maxLength WRITE setMaxLength)
    Q_PROPERTY(int MinLength READ minLength WRITE setMinLength)
    Q_PROPERTY(QString CaptionChangeOldPwd READ captionChangeOldPwd WRITE setCaptionChangeOldPwd)
    Q_PROPERTY(QString CaptionChangeNewPwd READ captionChangeNewPwd WRITE setCaptionChangeNewPwd)
    Q_PROPERTY(QString CaptionChangeCfmPwd READ captionChangeCfmPwd WRITE setCaptionChangeCfmPwd)
    Q_PROPERTY(QString CaptionCreateEntPwd READ captionCreateEntPwd WRITE setCaptionCreateEntPwd)
    Q_PROPERTY(QString CaptionCreateCfmPwd READ captionCreateCfmPwd WRITE setCaptionCreateCfmPwd)
    Q_PROPERTY(QString CaptionGetPassword READ captionGetPassword WRITE setCaptionGetPassword)
    Q_PROPERTY(QString CaptionOK READ captionOK WRITE setCaptionOK)
    Q_PROPERTY(QString CaptionCancel READ captionCancel WRITE setCaptionCancel)

public:
    /// The size of the dialogs (not of this widget). Any other value is kept and means
    /// vtrNormal.
    enum DialogSize : int { vtrNormal = 0, vtrLarge = 1, vtrExtraLarge = 2 };
    Q_ENUM(DialogSize)

    /// Run: the control runs its dialogs and the widget stays hidden. Design: the control is
    /// on a form being designed; it shows its picture and refuses run-time-only writes.
    enum class Mode { Run, Design };

    /// A control in run mode, hidden.
    explicit PasswordControl(QWidget *parent = nullptr);
    PasswordControl(Mode mode, QWidget *parent);
    ~PasswordControl() override;

    Mode mode() const;
    /// The status code of the most recent call: 0 when it succeeded, negative when the
    /// control failed it (0x800A0000 + n for the control's numbered error n).
    int lastError() const;

    /// The three dialogs: each shows a modal dialog and returns what the user confirmed, or
    /// an empty text when the dialog was cancelled. Afterwards cancelled() tells how the
    /// dialog ended and validated() whether the entry matched (get) or was taken (create,
    /// change, which also store it as password()). A cancelled dialog is no failure:
    /// lastError() is 0.
    Q_INVOKABLE QString getPassword();
    Q_INVOKABLE QString createPassword();
    Q_INVOKABLE QString changePassword();
    /// The control library's About box (modal).
    Q_INVOKABLE void about();

    /// @name Settings
    /// Each getter and setter reads or writes the property of the same name; see the class
    /// description for what they may fail with.
    /// @{

    DialogSize dialogSize() const;
    void setSize(DialogSize size);
    bool activeButtons() const;
    void setActiveButtons(bool active);
    bool useImages() const;
    void setUseImages(bool use);
    QString password() const;
    void setPassword(const QString &password);
    bool cancelled() const;
    void setCancelled(bool cancelled);
    bool validated() const;
    void setValidated(bool validated);
    QString dialogTitleGetPassword() const;
    void setDialogTitleGetPassword(const QString &title);
    QString dialogTitleCreatePassword() const;
    void setDialogTitleCreatePassword(const QString &title);
    QString dialogTitleChangePassword() const;
    void setDialogTitleChangePassword(const QString &title);
    bool caseSensitive() const;
    void setCaseSensitive(bool caseSensitive);
    /// 0 allows any length.
    int maxLength() const;
    void setMaxLength(int length);
    int minLength() const;
    void setMinLength(int length);
    QString captionChangeOldPwd() const;
    void setCaptionChangeOldPwd(const QString &caption);
    QString captionChangeNewPwd() const;
    void setCaptionChangeNewPwd(const QString &caption);
    QString captionChangeCfmPwd() const;
    void setCaptionChangeCfmPwd(const QString &caption);
    QString captionCreateEntPwd() const;
    void setCaptionCreateEntPwd(const QString &caption);
    QString captionCreateCfmPwd() const;
    void setCaptionCreateCfmPwd(const QString &caption);
    QString captionGetPassword() const;
    void setCaptionGetPassword(const QString &caption);
    QString captionOK() const;
    void setCaptionOK(const QString &caption);
    QString captionCancel() const;
    void setCaptionCancel(const QString &caption);
    /// @}

    /// The control's 16 x 15 toolbox picture, for form designers.
    static QPixmap toolboxPicture();

private:
    class Private;
    std::unique_ptr<Private> m_d;
};

} // namespace VantrelPassword
