#pragma once
#include <QGroupBox>

class FileRunner;
class QCheckBox;
class QLineEdit;
class QProgressBar;
class VTButton;
struct FileDirection;

// One of the File tab's two frames (encrypt or decrypt), built from its FileDirection row:
// key and file boxes, browse button, delete box and action button. A file dropped onto the
// frame puts its path into the file box.
class CipherFrame : public QGroupBox {
    Q_OBJECT

public:
    CipherFrame(const FileDirection &direction, FileRunner &runner, QProgressBar &progress,
                QWidget *parent);

    QLineEdit *keyBox() const { return m_keyBox; }
    QLineEdit *fileBox() const { return m_fileBox; }
    VTButton *browseButton() const { return m_browseButton; }
    VTButton *actionButton() const { return m_actionButton; }

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void browse();
    void runAction();
    QLineEdit *addBox(const char *name, const QRect &geometry);

    const FileDirection &m_direction;
    FileRunner &m_runner;
    QProgressBar &m_progress;
    QLineEdit *m_keyBox;
    QLineEdit *m_fileBox;
    VTButton *m_browseButton;
    QCheckBox *m_deleteBox;
    VTButton *m_actionButton;
};
