#include "tests/dialogs/DialogTestSupport.h"

#include <gtest/gtest.h>

Outcome showByName(PasswordDialog &form, const Entry &entry, std::function<void(QDialog &)> user)
{
    whileOpen(std::move(user));
    Outcome outcome{QStringLiteral("not returned"), 12345};
    VBool cancelled = outcome.cancelled;
    bool invoked = false;
    switch (form.kind()) {
    case DialogKind::Get:
        invoked = QMetaObject::invokeMethod(
            &form, "GetPassword", Qt::DirectConnection, Q_RETURN_ARG(QString, outcome.text),
            Q_ARG(VBool &, cancelled), Q_ARG(QString, entry.title), Q_ARG(VBool, entry.active),
            Q_ARG(VBool, entry.useImages), Q_ARG(qint32, entry.minLength),
            Q_ARG(qint32, entry.maxLength));
        break;
    case DialogKind::Create:
        invoked = QMetaObject::invokeMethod(
            &form, "GetPassword", Qt::DirectConnection, Q_RETURN_ARG(QString, outcome.text),
            Q_ARG(VBool, entry.caseSensitive), Q_ARG(VBool &, cancelled),
            Q_ARG(QString, entry.title), Q_ARG(VBool, entry.active), Q_ARG(VBool, entry.useImages),
            Q_ARG(qint32, entry.minLength), Q_ARG(qint32, entry.maxLength));
        break;
    case DialogKind::Change:
        invoked = QMetaObject::invokeMethod(
            &form, "GetPassword", Qt::DirectConnection, Q_RETURN_ARG(QString, outcome.text),
            Q_ARG(VBool, entry.caseSensitive), Q_ARG(QString, entry.validation),
            Q_ARG(VBool &, cancelled), Q_ARG(QString, entry.title), Q_ARG(VBool, entry.active),
            Q_ARG(VBool, entry.useImages), Q_ARG(qint32, entry.minLength),
            Q_ARG(qint32, entry.maxLength));
        break;
    }
    EXPECT_TRUE(invoked) << "GetPassword not reachable by name on "
                         << form.objectName().toStdString();
    outcome.cancelled = cancelled;
    return outcome;
}
