#include "app/CipherFrame.h"

#include "app/DroppedFile.h"
#include "app/FileDirection.h"
#include "app/FileRun.h"
#include "app/FormParts.h"
#include "button/VTButton.h"
#include "platform/core/Twips.h"
#include "platform/ui/AccessibleName.h"
#include "platform/ui/FileOpenDialog.h"

#include <QCheckBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressBar>

CipherFrame::CipherFrame(const FileDirection &direction, FileRunner &runner, QProgressBar &progress,
                         QWidget *parent)
    : QGroupBox(direction.texts.frame, parent), m_direction(direction), m_runner(runner),
      m_progress(progress)
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
}

QLineEdit *CipherFrame::addBox(const char *name, const QRect &geometry)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(name);
    box->setGeometry(geometry);
    return box;
}

void CipherFrame::browse()
{
    platform::FileOpenRequest request;
    request.owner = window();
    request.title = m_direction.texts.browseTitle;
    request.filter = m_direction.texts.browseFilter;
    request.filterIndex = 0;
    m_fileBox->setText(platform::showFileOpenDialog(request));
}

void CipherFrame::runAction()
{
    const FileRunRequest request{m_keyBox->text(), m_fileBox->text(), m_deleteBox->isChecked(),
                                 [this](const QString &text, const QString &title) {
                                     return platform::askYesNo(window(), text, title);
                                 }};
    const FileRunOutcome outcome = m_runner.run(m_direction, request);
    if (outcome.end == FileRunEnd::Declined)
        return;
    // The message comes first, while the boxes still show what the run was about.
    platform::showMessageBox(window(), outcome.message, outcome.title, outcome.icon);
    if (outcome.end == FileRunEnd::Finished) {
        m_keyBox->clear();
        m_fileBox->clear();
    }
    if (outcome.end != FileRunEnd::Refused)
        m_progress.setValue(0);
}

void CipherFrame::dragEnterEvent(QDragEnterEvent *event)
{
    if (droppedFilePath(event->mimeData()))
        event->acceptProposedAction();
}

void CipherFrame::dropEvent(QDropEvent *event)
{
    if (const std::optional<QString> path = droppedFilePath(event->mimeData())) {
        m_fileBox->setText(*path);
        event->acceptProposedAction();
    }
}
