// Loaded into a program under test with LD_PRELOAD: answers the program's modal dialogs the
// way a user would, from a script in EC_DIALOG_ANSWERS, and logs each dialog it meets on
// standard error as "dialog: <title>". The script has one answer per dialog, separated by
// ";"; an answer lists "box=text" entries and ends with the name of the button to press:
//
//   EC_DIALOG_ANSWERS="txtPassword=abcd,txtConfirmation=abcd,cmdOK;txtPassword=abcd,cmdOK"
//
// A dialog with no answer left is cancelled and logged as "unanswered dialog: <title>".
#include <QAbstractButton>
#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPointer>
#include <QTimer>

#include <cstdio>

namespace {

void answer(QDialog &dialog, const QString &script)
{
    const QStringList steps = script.split(',');
    for (const QString &step : steps.mid(0, steps.size() - 1)) {
        const QString name = step.section('=', 0, 0);
        if (auto *box = dialog.findChild<QLineEdit *>(name))
            box->setText(step.section('=', 1));
        else
            std::fprintf(stderr, "no box %s\n", qPrintable(name));
    }
    if (auto *button = dialog.findChild<QAbstractButton *>(steps.last()))
        button->click();
    else
        std::fprintf(stderr, "no button %s\n", qPrintable(steps.last()));
}

void watchDialogs()
{
    static QStringList answers =
        QString::fromLocal8Bit(qgetenv("EC_DIALOG_ANSWERS")).split(';', Qt::SkipEmptyParts);
    static QPointer<QDialog> lastAnswered;
    auto *timer = new QTimer(qApp);
    QObject::connect(timer, &QTimer::timeout, [] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || dialog == lastAnswered || !dialog->isVisible())
            return;
        lastAnswered = dialog;
        if (answers.isEmpty()) {
            std::fprintf(stderr, "unanswered dialog: %s\n", qPrintable(dialog->windowTitle()));
            dialog->reject();
            return;
        }
        std::fprintf(stderr, "dialog: %s\n", qPrintable(dialog->windowTitle()));
        answer(*dialog, answers.takeFirst());
    });
    timer->start(20);
}

} // namespace

Q_COREAPP_STARTUP_FUNCTION(watchDialogs)
