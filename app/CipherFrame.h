#pragma once
#include <QGroupBox>
#include <QStringList>
#include <optional>

class FileRunner;
class FileTab;
class QCheckBox;
class QLineEdit;
class VTButton;
class WorkerThread;
struct FileDirection;
struct FileRunOutcome;
struct SeveralFilesMessage;

// One of the File tab's two frames (encrypt or decrypt), built from its FileDirection row:
// key and file boxes, browse button, delete box and action button. Files and folders dropped
// onto the frame, chosen together in its browse dialog or given on the command line go into
// the file box; several of them, or a folder, are shown there as a summary, and typing in the
// box starts over with one path. The action runs on the worker thread.
class CipherFrame : public QGroupBox {
    Q_OBJECT

public:
    CipherFrame(const FileDirection &direction, FileRunner &runner, WorkerThread &worker,
                FileTab &tab);

    QLineEdit *keyBox() const { return m_keyBox; }
    QLineEdit *fileBox() const { return m_fileBox; }
    VTButton *browseButton() const { return m_browseButton; }
    VTButton *actionButton() const { return m_actionButton; }

    // Puts `paths` into the file box: one file as its path, several or a folder as a summary.
    void setPaths(const QStringList &paths);
    // What the file box holds: the paths given, or the one path typed (none when empty).
    QStringList paths() const;

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void browse();
    void runAction();
    void runOneFile(const QString &file);
    void endOneFile(const FileRunOutcome &outcome);
    void runSeveral(const QStringList &paths);
    void endSeveral(const std::optional<SeveralFilesMessage> &message);
    void dropSelectionIfEdited();
    QLineEdit *addBox(const char *name, const QRect &geometry);

    const FileDirection &m_direction;
    FileRunner &m_runner;
    WorkerThread &m_worker;
    FileTab &m_tab;
    QLineEdit *m_keyBox;
    QLineEdit *m_fileBox;
    VTButton *m_browseButton;
    QCheckBox *m_deleteBox;
    VTButton *m_actionButton;
    // The paths behind a summary in the file box; empty when the box holds one typed path.
    QStringList m_selection;
    QString m_summary;
};
