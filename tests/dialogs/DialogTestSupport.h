#pragma once

#include <QLineEdit>
#include <QString>
#include <functional>
#include <ostream>
#include <vector>

#include "MessageBox.h"
#include "PasswordDialog.h"
#include "VBool.h"

// Lets test names and failures show texts readably.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

// Records every message box instead of showing it, for as long as it lives.
class MessageRecorder
{
public:
    MessageRecorder();
    ~MessageRecorder();

    const std::vector<platform::MessageBoxCall> &calls() const { return m_calls; }
    void clear() { m_calls.clear(); }

private:
    std::vector<platform::MessageBoxCall> m_calls;
};

// Runs `user` once the next modal dialog is open (from inside its modal loop). A dialog that
// is still open afterwards is a test failure and is closed so that the test goes on.
void whileOpen(std::function<void(PasswordDialog &)> user);

QLineEdit *box(QWidget &form, const char *name);
void pressOk(QWidget &form);
void pressCancel(QWidget &form);

// The settings of one showing, with the control's defaults.
struct Entry
{
    QString title = QStringLiteral("Title");
    VBool active = VFalse;
    VBool useImages = VTrue;
    qint32 minLength = 0;
    qint32 maxLength = 0;
    VBool caseSensitive = VTrue;
    QString validation;
};

struct Outcome
{
    QString text;
    VBool cancelled;
};

// Shows the form through its entry routine, reached by name as a host reaches it, with
// `user` acting while it is open.
Outcome showByName(PasswordDialog &form, const Entry &entry, std::function<void(PasswordDialog &)> user);
