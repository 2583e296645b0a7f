#pragma once
#include <QProgressBar>

// The File tab's progress bar. While a run works it names what is being done ("report.txt",
// "Checking report.txt.ECX…") as its text, shown as given (a name holding "%p" stays as it is).
class RunProgressBar : public QProgressBar {
    Q_OBJECT

public:
    explicit RunProgressBar(QWidget *parent);

    // Shows `label` in the bar; an empty label hides the text.
    void setLabel(const QString &label);
    QString label() const { return m_label; }

    QString text() const override { return m_label; }

private:
    QString m_label;
};
