#include "tests/support/ModalDriver.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

MessageRecorder::MessageRecorder()
{
    platform::setMessageBoxHandler(
        [this](const platform::MessageBoxCall &call) { m_calls.push_back(call); });
}

MessageRecorder::~MessageRecorder() { platform::setMessageBoxHandler({}); }

void whileOpen(std::function<void(QDialog &)> user, int triesLeft)
{
    QTimer::singleShot(0, [user, triesLeft] {
        auto *form = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!form) {
            // A dialog that lets pending events run while it loads is not open yet.
            if (triesLeft > 0)
                whileOpen(user, triesLeft - 1);
            else
                ADD_FAILURE() << "no dialog is open";
            return;
        }
        // Offscreen windows are not activated on their own; focus events need an active window.
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form))
            ADD_FAILURE() << "the dialog did not become the active window";
        user(*form);
        if (form->isVisible()) {
            ADD_FAILURE() << "the dialog was left open";
            form->reject();
        }
    });
}

QLineEdit *box(QWidget &form, const char *name)
{
    return form.findChild<QLineEdit *>(QString::fromLatin1(name));
}

void pressOk(QWidget &form) { form.findChild<QPushButton *>(QStringLiteral("cmdOK"))->click(); }

void pressCancel(QWidget &form)
{
    form.findChild<QPushButton *>(QStringLiteral("cmdCancel"))->click();
}
