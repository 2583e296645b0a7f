#pragma once
#include <QString>

// A one-line progress bar on standard error: "encrypting [#####     ] 50%".
class ProgressBar {
public:
    ProgressBar(QString label, bool enabled);
    ~ProgressBar();
    void show(int percent);

private:
    QString m_label;
    bool m_enabled;
    bool m_drawn = false;
};
