#pragma once
#include "app/TabPage.h"

#include <optional>

class WindowPasswordControl;
class QTextEdit;
class StoredPassword;
class VTButton;

// The "Password " tab: the application password's explanation, the stored password shown in
// `txtPass`, and the Create and Remove buttons, exactly one of which is enabled.
//
// Building the tab is its part of the load step: it shows what the registry holds. Create
// asks the control for a new password and stores it; Remove deletes the stored one. A
// cancelled create stores nothing. A write or delete that the registry refuses is reported
// and changes nothing on the tab, which keeps showing what the registry holds.
class PasswordTab : public TabPage {
    Q_OBJECT

public:
    PasswordTab(QTabWidget *tabs, StoredPassword &stored, WindowPasswordControl &control);

    VTButton *createButton() const { return m_create; }
    VTButton *removeButton() const { return m_remove; }
    QTextEdit *passwordBox() const { return m_password; }

private:
    VTButton *addButton(const char *name, const QString &caption, const QRect &geometry);
    // The password confirmed in the control's create dialog; nothing when the dialog was
    // cancelled or could not be shown (which is reported).
    std::optional<QString> askForNewPassword();
    void createPassword();
    void removePassword();
    // A stored password disables Create and is shown; none disables Remove.
    void showState(const std::optional<QString> &password);

    StoredPassword &m_stored;
    WindowPasswordControl &m_control;
    QTextEdit *m_password;
    VTButton *m_create;
    VTButton *m_remove;
};
