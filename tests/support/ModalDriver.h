#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QString>
#include <functional>
#include <ostream>
#include <vector>

#include "platform/ui/MessageBox.h"

// Driving modal dialogs from inside their own modal loop.

// Lets test names and failures show texts readably.
inline void PrintTo(const QString &text, std::ostream *out)
{
    *out << '"' << text.toStdString() << '"';
}

// Records every message box instead of showing it, for as long as it lives.
class MessageRecorder {
public:
    MessageRecorder();
    ~MessageRecorder();

    const std::vector<platform::MessageBoxCall> &calls() const { return m_calls; }
    void clear() { m_calls.clear(); }

private:
    std::vector<platform::MessageBoxCall> m_calls;
};

// Runs `user` once the next modal dialog is open (from inside its modal loop), with the
// dialog active. A dialog that is still open afterwards is a test failure and is closed so
// that the test goes on. Until a dialog opens, it looks again at each turn of the event loop,
// `triesLeft` times.
void whileOpen(std::function<void(QDialog &)> user, int triesLeft = 100);

QLineEdit *box(QWidget &form, const char *name);
void pressOk(QWidget &form);
void pressCancel(QWidget &form);
