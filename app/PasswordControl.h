#pragma once
#include "platform/com/ComPtr.h"
#include "platform/com/HResult.h"
#include "platform/com/Variant.h"

#include <QString>

#include <cstdint>
#include <memory>
#include <stdexcept>
#include <vector>

class FormContainer;
class QWidget;
struct IDispatch;

// A call into the password control that the control refused or failed.
class ControlFailure : public std::runtime_error {
public:
    ControlFailure(const char *member, HRESULT status);
    HRESULT status() const { return m_status; }

private:
    HRESULT m_status;
};

// The main window's password control `VTPass`: a VTPassword made by the control library's
// class factory and loaded onto the window's form in run mode from the window's saved layout,
// which keeps only its size, so every property starts at the control's default. It is used
// only through its dispatch interface, by member id. Every call raises ControlFailure when
// the control fails it.
class PasswordControl {
public:
    explicit PasswordControl(QWidget *form);
    ~PasswordControl();
    PasswordControl(const PasswordControl &) = delete;
    PasswordControl &operator=(const PasswordControl &) = delete;

    // The default property `Password`, written with the text passed by reference.
    void setPassword(QString password);
    QString password();
    // Shows the get-password dialog; the control judges the entry into `Validated`.
    void getPassword();
    // Shows the create-password dialog; a confirmed entry becomes `Password`.
    void createPassword();
    bool validated();
    bool cancelled();

private:
    Variant invoke(const char *member, int id, std::uint16_t flags, std::vector<Variant> args);

    std::unique_ptr<FormContainer> m_container;
    ComPtr<IDispatch> m_dispatch;
};
