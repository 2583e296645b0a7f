// A host of the VTPassword control: the user chooses a password, then the program asks for it
// as it would at start-up. The control sits on a form designed in Qt Designer (HostForm.ui),
// where its dialog titles and length limits were set; it stays hidden while the form runs.
#include "ui_HostForm.h"

#include <VantrelPassword/PasswordControl.h>

#include <QApplication>
#include <cstdio>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QWidget form;
    Ui::HostForm ui;
    ui.setupUi(&form);
    VantrelPassword::PasswordControl &control = *ui.passwordControl;

    // Let the user choose a password (typed twice); the control keeps it as its Password.
    control.createPassword();
    if (control.cancelled()) {
        std::puts("No password was chosen.");
        return 1;
    }

    // Ask for it: the control compares the entry with its Password.
    control.getPassword();
    if (control.cancelled() || !control.validated()) {
        std::puts("Wrong password.");
        return 2;
    }
    std::puts("Password accepted.");
    return 0;
}
