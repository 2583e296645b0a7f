#pragma once
#include "app/TabPage.h"

class CipherFrame;
class FileRunner;
class QProgressBar;

// The "  File  " tab: its icon and heading, the encrypt frame, the decrypt frame and the
// progress bar that the engine's progress drives.
class FileTab : public TabPage {
    Q_OBJECT

public:
    FileTab(QTabWidget *tabs, FileRunner &runner);

    CipherFrame *encryptFrame() const { return m_encrypt; }
    CipherFrame *decryptFrame() const { return m_decrypt; }

    // Shows an engine progress value on the bar, clamped to its range of 0 to 100, and lets
    // pending paint and window events through (never user input).
    void showProgress(qint16 percent);

private:
    QProgressBar *m_progress;
    CipherFrame *m_encrypt;
    CipherFrame *m_decrypt;
};
