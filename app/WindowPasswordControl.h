#pragma once
#include <QString>

#include <stdexcept>

class QWidget;
namespace VantrelPassword {
class PasswordControl;
}

// A call into the password control that the control refused or failed.
class ControlFailure : public std::runtime_error {
public:
    ControlFailure(const char *member, int status);
    int status() const { return m_status; }

private:
    int m_status;
};

// The main window's password control `VTPass`: the control library's PasswordControl widget
// on the window, in run mode with every property at the control's default. It adds one rule
// for the program: every call that the control fails raises ControlFailure.
class WindowPasswordControl {
public:
    explicit WindowPasswordControl(QWidget *form);

    void setPassword(const QString &password);
    QString password();
    // Shows the get-password dialog; the control judges the entry into `Validated`.
    void getPassword();
    // Shows the create-password dialog; a confirmed entry becomes `Password`.
    void createPassword();
    bool validated();
    bool cancelled();

private:
    // Raises ControlFailure when the control failed the call just made.
    void require(const char *member) const;
    // `value`, read by the call just made, once the control is known not to have failed it.
    template <typename T>
    T required(const char *member, T value) const
    {
        require(member);
        return value;
    }

    VantrelPassword::PasswordControl *m_control; // owned by the form
};
