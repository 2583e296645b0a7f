#include "app/PasswordTab.h"

#include "app/FormParts.h"
#include "app/StoredPassword.h"
#include "app/WindowPasswordControl.h"
#include "button/VTButton.h"
#include "platform/core/Twips.h"
#include "platform/registry/winreg.h"
#include "platform/ui/AccessibleName.h"
#include "platform/ui/MessageBox.h"

#include <QFrame>
#include <QLabel>
#include <QTextEdit>

namespace {

void showProblem(const QString &text)
{
    platform::showMessageBox(nullptr, text, QStringLiteral("Password"),
                             platform::MessageIcon::Exclamation);
}

} // namespace

PasswordTab::PasswordTab(QTabWidget *tabs, StoredPassword &stored, WindowPasswordControl &control)
    : TabPage(tabs, "PasswordTab"), m_stored(stored), m_control(control)
{
    place(addPicture(this, "Picture2", ":/embercoffer/password-tab.png", "A key"),
          twipsRect(120, 510, 495, 495));
    place(addHeading(this, "Label4_1", " Application password using the options below."),
          twipsRect(660, 600, 5835, 255));

    QLabel *create =
        addLabel(this, "Label5",
                 "Invokes the \"Create Password\" dialog box, allowing users to set a new "
                 "password.  If successful, the Password property is modified with the "
                 "new password. ");
    create->setWordWrap(true);
    QRect createPlace = twipsRect(360, 1260, 5895, 555);
    createPlace.setHeight(qMax(createPlace.height(), create->heightForWidth(createPlace.width())));
    place(create, createPlace);
    QLabel *remove = addLabel(
        this, "Label12", "Invokes the \"Remove Password \", allowing users to delete password.");
    // Where the substituted font wraps Label5 onto a third line, Label12 moves below it.
    QRect removePlace = grownToText(remove, twipsRect(360, 1860, 4935, 255));
    removePlace.moveTop(qMax(removePlace.top(), createPlace.bottom() + 2));
    place(remove, removePlace);
    QLabel *current = addLabel(this, "Label6", "Current Password:");
    place(current, grownToText(current, twipsRect(360, 2340, 1290, 195)));

    m_password = new QTextEdit(this);
    m_password->setObjectName("txtPass");
    m_password->setReadOnly(true);
    m_password->setAcceptRichText(false);
    m_password->setPlainText("none\n");
    QPalette grey = m_password->palette();
    grey.setColor(QPalette::Base, grey.color(QPalette::Window));
    grey.setColor(QPalette::Text, Qt::darkGray);
    m_password->setPalette(grey);
    place(m_password, twipsRect(1800, 2340, 4695, 2235));
    platform::labelControl(*current, *m_password);

    const auto [dark, light] = addEtchedLine(this);
    place(dark, QRect(twipsPoint(120, 4740), QSize(fromTwips(6375), 1)));
    place(light, QRect(twipsPoint(120, 4740) + QPoint(0, 1), QSize(fromTwips(6375), 1)));

    m_create = addButton("cmdCreatePass", "Create Password", twipsRect(3240, 4860, 1575, 375));
    m_remove = addButton("cmdRemovePass", "Remove Password", twipsRect(4920, 4860, 1575, 375));
    connect(m_create, &QAbstractButton::clicked, this, &PasswordTab::createPassword);
    connect(m_remove, &QAbstractButton::clicked, this, &PasswordTab::removePassword);

    // With no password stored, txtPass keeps its initial text.
    if (const std::optional<QString> password = m_stored.current())
        showState(password);
    else
        m_remove->setEnabled(false);
}

VTButton *PasswordTab::addButton(const char *name, const QString &caption, const QRect &geometry)
{
    auto *button = new VTButton(caption, this);
    button->setObjectName(name);
    place(button, geometry);
    return button;
}

std::optional<QString> PasswordTab::askForNewPassword()
{
    try {
        m_control.createPassword();
        if (m_control.cancelled())
            return std::nullopt;
        return m_control.password();
    } catch (const ControlFailure &failure) {
        showProblem(QStringLiteral("The password could not be created: %1.")
                        .arg(QString::fromStdString(failure.what())));
        return std::nullopt;
    }
}

void PasswordTab::createPassword()
{
    const std::optional<QString> password = askForNewPassword();
    if (!password)
        return;
    if (m_stored.save(*password) != ERROR_SUCCESS) {
        showProblem(QStringLiteral("The password could not be saved.  "
                                   "The registry refused the change."));
        return;
    }
    showState(m_stored.current());
}

void PasswordTab::removePassword()
{
    const qint32 status = m_stored.remove();
    // A value that is already gone is as removed as it can be.
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
        showProblem(QStringLiteral("The password could not be removed.  "
                                   "The registry refused the change."));
        return;
    }
    showState(std::nullopt);
}

void PasswordTab::showState(const std::optional<QString> &password)
{
    m_create->setEnabled(!password);
    m_remove->setEnabled(password.has_value());
    m_password->setPlainText(password.value_or(QStringLiteral("none")));
}
