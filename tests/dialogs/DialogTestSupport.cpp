#include "DialogTestSupport.h"

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

MessageRecorder::MessageRecorder()
{
    platform::setMessageBoxHandler([this](const platform::MessageBoxCall &call) { m_calls.push_back(call); });
}

MessageRecorder::~MessageRecorder()
{
    platform::setMessageBoxHandler({});
}

void whileOpen(std::function<void(PasswordDialog &)> user)
{
    QTimer::singleShot(0, [user] {
        auto *form = qobject_cast<PasswordDialog *>(QApplication::activeModalWidget());
        if (!form) {
            ADD_FAILURE() << "no password dialog is open";
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

void pressOk(QWidget &form)
{
    form.findChild<QPushButton *>(QStringLiteral("cmdOK"))->click();
}

void pressCancel(QWidget &form)
{
    form.findChild<QPushButton *>(QStringLiteral("cmdCancel"))->click();
}

Outcome showByName(PasswordDialog &form, const Entry &entry, std::function<void(PasswordDialog &)> user)
{
    whileOpen(std::move(user));
    Outcome outcome{QStringLiteral("not returned"), 12345};
    VBool cancelled = outcome.cancelled;
    bool invoked = false;
    switch (form.kind()) {
    case DialogKind::Get:
        invoked = QMetaObject::invokeMethod(&form, "GetPassword", Qt::DirectConnection,
                                            Q_RETURN_ARG(QString, outcome.text), Q_ARG(VBool &, cancelled),
                                            Q_ARG(QString, entry.title), Q_ARG(VBool, entry.active),
                                            Q_ARG(VBool, entry.useImages), Q_ARG(qint32, entry.minLength),
                                            Q_ARG(qint32, entry.maxLength));
        break;
    case DialogKind::Create:
        invoked = QMetaObject::invokeMethod(&form, "GetPassword", Qt::DirectConnection,
                                            Q_RETURN_ARG(QString, outcome.text), Q_ARG(VBool, entry.caseSensitive),
                                            Q_ARG(VBool &, cancelled), Q_ARG(QString, entry.title),
                                            Q_ARG(VBool, entry.active), Q_ARG(VBool, entry.useImages),
                                            Q_ARG(qint32, entry.minLength), Q_ARG(qint32, entry.maxLength));
        break;
    case DialogKind::Change:
        invoked = QMetaObject::invokeMethod(&form, "GetPassword", Qt::DirectConnection,
                                            Q_RETURN_ARG(QString, outcome.text), Q_ARG(VBool, entry.caseSensitive),
                                            Q_ARG(QString, entry.validation), Q_ARG(VBool &, cancelled),
                                            Q_ARG(QString, entry.title), Q_ARG(VBool, entry.active),
                                            Q_ARG(VBool, entry.useImages), Q_ARG(qint32, entry.minLength),
                                            Q_ARG(qint32, entry.maxLength));
        break;
    }
    EXPECT_TRUE(invoked) << "GetPassword not reachable by name on " << form.objectName().toStdString();
    outcome.cancelled = cancelled;
    return outcome;
}
