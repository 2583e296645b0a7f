#include "app/CipherFrame.h"

#include "app/DroppedFile.h"
#include "app/FileDirection.h"
#include "app/FileRun.h"
#include "app/FileSelection.h"
#include "app/FileTab.h"
#include "app/FormParts.h"
#include "app/SeveralFilesRun.h"
#include "app/SpecialFile.h"
#include "app/WorkerThread.h"
#include "button/VTButton.h"
#include "globals/engine/EncDec.h"
#include "platform/core/Twips.h"
#include "platform/ui/AccessibleName.h"
#include "platform/ui/ChoiceBox.h"
#include "platform/ui/FileOpenDialog.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>

CipherFrame::CipherFrame(const FileDirection &direction, FileRunner &runner, WorkerThread &worker,
                         FileTab &tab)
    : QGroupBox(direction.texts.frame, &tab), m_direction(direction), m_runner(runner),
      m_worker(worker), m_tab(tab)
{
    const FileDirection::Names &names = direction.names;
    setObjectName(names.frame);
    setAcceptDrops(true);

    QLabel *keyLabel = addLabel(this, names.keyLabel, direction.texts.keyLabel);
    keyLabel->move(twipsPoint(120, 360));
    m_keyBox = addBox(names.keyBox, twipsRect(1080, 360, 5055, 285));
    platform::labelControl(*keyLabel, *m_keyBox);
    QLabel *fileLabel = addLabel(this, names.fileLabel, direction.texts.fileLabel);
    fileLabel->move(twipsPoint(120, 840));
    m_fileBox = addBox(names.fileBox, twipsRect(1080, 840, 4635, 285));
    platform::labelControl(*fileLabel, *m_fileBox);

    m_browseButton = new VTButton("...", this);
    m_browseButton->setObjectName(names.browseButton);
    // Its caption says nothing; it is named after the dialog it opens.
    m_browseButton->setAccessibleName(platform::accessibleNameFrom(direction.texts.browseTitle));
    m_browseButton->setGeometry(twipsRect(5820, 840, 315, 285));

    m_deleteBox = new QCheckBox(direction.texts.deleteBox, this);
    m_deleteBox->setObjectName(names.deleteBox);
    m_deleteBox->move(twipsPoint(120, direction.deleteBoxTop));
    m_deleteBox->adjustSize();

    m_actionButton = new VTButton(direction.texts.actionButton, this);
    m_actionButton->setObjectName(names.actionButton);
    m_actionButton->setGeometry(twipsRect(4440, 1260, 1695, 495));
    QFont bold = m_actionButton->font();
    bold.setBold(true);
    m_actionButton->setFont(bold);
    m_actionButton->setButtonImage(artwork(direction.actionImage, devicePixelRatioF()));
    m_actionButton->setButtonImageHover(artwork(direction.actionHoverImage, devicePixelRatioF()));
    m_actionButton->setUseStateImages(true);

    setTabOrder(m_fileBox, m_keyBox);
    setTabOrder(m_keyBox, m_actionButton);
    setTabOrder(m_actionButton, m_browseButton);
    setTabOrder(m_browseButton, m_deleteBox);

    connect(m_browseButton, &QAbstractButton::clicked, this, &CipherFrame::browse);
    connect(m_actionButton, &QAbstractButton::clicked, this, &CipherFrame::runAction);
    connect(m_fileBox, &QLineEdit::textChanged, this, &CipherFrame::dropSelectionIfEdited);
    m_fileBox->installEventFilter(this);
}

QLineEdit *CipherFrame::addBox(const char *name, const QRect &geometry)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(name);
    box->setGeometry(geometry);
    return box;
}

void CipherFrame::setPaths(const QStringList &paths)
{
    if (!isSeveralFiles(paths)) {
        m_fileBox->setText(paths.value(0));
        return;
    }
    m_summary = selectionSummary(paths);
    m_fileBox->setText(m_summary);
    m_selection = paths;
    m_fileBox->setToolTip(selectionList(paths));
    m_fileBox->setAccessibleDescription(selectionList(paths));
    m_fileBox->setCursorPosition(0);
}

QStringList CipherFrame::paths() const
{
    if (!m_selection.isEmpty())
        return m_selection;
    return m_fileBox->text().isEmpty() ? QStringList() : QStringList{m_fileBox->text()};
}

void CipherFrame::dropSelectionIfEdited()
{
    if (m_selection.isEmpty() || m_fileBox->text() == m_summary)
        return;
    m_selection.clear();
    m_summary.clear();
    m_fileBox->setToolTip({});
    m_fileBox->setAccessibleDescription({});
}

bool CipherFrame::eventFilter(QObject *watched, QEvent *event)
{
    // Typing into a summary, or deleting from it, starts a new path instead of editing the
    // summary's text.
    if (watched == m_fileBox && event->type() == QEvent::KeyPress && !m_selection.isEmpty()) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->key() == Qt::Key_Backspace || key->key() == Qt::Key_Delete ||
            (!key->text().isEmpty() && key->text().front().isPrint()))
            m_fileBox->clear();
    }
    return QGroupBox::eventFilter(watched, event);
}

void CipherFrame::browse()
{
    platform::FileOpenRequest request;
    request.owner = window();
    request.title = m_direction.texts.browseTitle;
    request.filter = m_direction.texts.browseFilter;
    request.filterIndex = 0;
    request.several = true;
    // Cancelling empties the box.
    m_fileBox->clear();
    setPaths(platform::showFilesOpenDialog(request));
}

void CipherFrame::runAction()
{
    const QStringList chosen = paths();
    if (isSeveralFiles(chosen) || m_direction.extractsArchive(chosen.value(0)))
        runSeveral(chosen);
    else
        runOneFile(chosen.value(0));
}

void CipherFrame::runOneFile(const QString &file)
{
    const QString key = m_keyBox->text();
    // Opening a FIFO would wait for a writer for ever: such a file is refused before the run.
    if (const QString problem = specialFileProblem(file); !key.isEmpty() && !problem.isEmpty()) {
        platform::showMessageBox(window(), problem, QStringLiteral("ERROR"),
                                 platform::MessageIcon::Exclamation);
        return;
    }
    const FileRunRequest request{key, file, m_deleteBox->isChecked(),
                                 [this](const QString &text, const QString &title) {
                                     return WorkerThread::callOn<bool>(this, [&] {
                                         return platform::askYesNo(window(), text, title);
                                     });
                                 }};
    const std::optional<QString> output = m_direction.outputNameFor(file);
    m_tab.beginRun(QFileInfo(file).fileName(),
                   QStringLiteral("Checking %1…").arg(QFileInfo(output.value_or(file)).fileName()),
                   {});
    m_worker.post([this, request] {
        const FileRunOutcome outcome = m_runner.run(m_direction, request);
        QMetaObject::invokeMethod(this, [this, outcome] { endOneFile(outcome); });
    });
}

void CipherFrame::endOneFile(const FileRunOutcome &outcome)
{
    if (outcome.end != FileRunEnd::Declined) {
        // The message comes first, while the boxes still show what the run was about.
        platform::showMessageBox(window(), outcome.message, outcome.title, outcome.icon);
        if (outcome.end == FileRunEnd::Finished) {
            m_keyBox->clear();
            m_fileBox->clear();
        }
        if (outcome.end != FileRunEnd::Refused)
            m_tab.showProgress(0);
    }
    m_tab.endRun();
}

void CipherFrame::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedPaths(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void CipherFrame::dropEvent(QDropEvent *event)
{
    const QStringList paths = droppedPaths(event->mimeData());
    if (paths.isEmpty())
        return;
    setPaths(paths);
    event->acceptProposedAction();
}

void CipherFrame::runSeveral(const QStringList &paths)
{
    if (m_keyBox->text().isEmpty()) {
        platform::showMessageBox(window(), m_direction.messages.emptyKey, QStringLiteral("ERROR"),
                                 platform::MessageIcon::Exclamation);
        return;
    }
    auto run = std::make_shared<SeveralFilesRun>(
        *window(), m_tab,
        SeveralFilesRun::Request{m_direction.batchAction, paths, m_keyBox->text(),
                                 m_deleteBox->isChecked(), m_runner.engine().workFactor()});
    m_tab.beginRun(m_summary.isEmpty() ? QFileInfo(paths.value(0)).fileName() : m_summary, {},
                   [run] { run->requestStop(); });
    m_worker.post([this, run] {
        const std::optional<SeveralFilesMessage> message = run->run();
        QMetaObject::invokeMethod(this, [this, message] { endSeveral(message); });
    });
}

void CipherFrame::endSeveral(const std::optional<SeveralFilesMessage> &message)
{
    if (message) {
        if (message->details.isEmpty())
            platform::showMessageBox(window(), message->text, message->title, message->icon);
        else
            platform::askChoice({window(),
                                 message->text,
                                 message->title,
                                 {QStringLiteral("OK")},
                                 0,
                                 message->details,
                                 message->icon});
        m_keyBox->clear();
        m_fileBox->clear();
        m_tab.showProgress(0);
    }
    m_tab.endRun();
}
