#pragma once
#include "TabPage.h"

class QTextEdit;
class VTButton;

// The "Password " tab: the application password's explanation, the stored password shown in
// `txtPass`, and the Create and Remove buttons.
class PasswordTab : public TabPage
{
    Q_OBJECT

public:
    explicit PasswordTab(QTabWidget *tabs);

    VTButton *createButton() const { return m_create; }
    VTButton *removeButton() const { return m_remove; }
    QTextEdit *passwordBox() const { return m_password; }

private:
    VTButton *addButton(const char *name, const QString &caption, const QRect &geometry);

    QTextEdit *m_password;
    VTButton *m_create;
    VTButton *m_remove;
};
