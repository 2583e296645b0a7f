#include "password/dialogs/PasswordDialog.h"

#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPixmap>
#include <QWindow>
#include <limits>

#include "button/VTButton.h"
#include "globals/utilities/FormUtility.h"
#include "globals/utilities/TextBoxUtility.h"
#include "password/dialogs/ButtonAppearance.h"
#include "password/dialogs/DialogLabel.h"
#include "password/dialogs/DialogLayout.h"
#include "password/dialogs/KeyPicture.h"
#include "password/dialogs/PasswordMatch.h"
#include "platform/core/Twips.h"
#include "platform/ui/AccessibleName.h"
#include "platform/ui/MessageBox.h"

namespace {

constexpr Qt::WindowFlags fixedDialogFrame = Qt::Dialog | Qt::CustomizeWindowHint |
                                             Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                                             Qt::MSWindowsFixedSizeDialogHint;

const QString okColour = QStringLiteral("BTN_CHECK_COLOR");
const QString okGray = QStringLiteral("BTN_CHECK_GRAY");
const QString cancelColour = QStringLiteral("BTN_X_COLOR");
const QString cancelGray = QStringLiteral("BTN_X_GRAY");

QFont toQFont(const DialogFont &choice)
{
    QFont font(QString::fromLatin1(choice.family));
    font.setPointSizeF(choice.points);
    font.setBold(choice.bold);
    return font;
}

} // namespace

PasswordDialog::PasswordDialog(DialogKind kind, DialogSize size)
    : QDialog(nullptr, fixedDialogFrame), m_kind(kind), m_size(size)
{
    setObjectName(dialogFormName(kind, size));
    setWindowTitle(QString::fromLatin1(kindDesign(kind).designTitle));
    const SizeLayout &layout = sizeLayout(kind, size);
    setFont(toQFont(layout.font));
    setFixedSize(fromTwips(layout.client));
    buildControls();
    FormUtility::forThisThread().centreOnScreen(*this);
}

DialogLabel *PasswordDialog::genericLabel(int index) const
{
    if (m_kind == DialogKind::Get)
        return m_labels.front();
    if (index < 0 || index >= static_cast<int>(m_labels.size()))
        return nullptr;
    return m_labels[index];
}

void PasswordDialog::buildControls()
{
    const KindDesign &design = kindDesign(m_kind);
    const SizeLayout &layout = sizeLayout(m_kind, m_size);

    m_key = new QLabel(this);
    m_key->setObjectName(QStringLiteral("ImageKey"));
    m_key->setPixmap(keyPicture(devicePixelRatioF()));
    m_key->setScaledContents(true);
    m_key->setGeometry(fromTwips(layout.key));
    m_key->setAccessibleName(QStringLiteral("Key"));

    m_labels.resize(design.prompts.size());
    for (std::size_t i = 0; i < design.prompts.size(); ++i) {
        const PromptDesign &prompt = design.prompts[i];
        auto *label = new DialogLabel(this);
        label->setObjectName(QStringLiteral("GenericLabel"));
        if (prompt.labelIndex >= 0)
            label->setProperty("index", prompt.labelIndex);
        label->move(fromTwips(layout.prompts[i].label));
        label->setCaption(QString::fromLatin1(prompt.designCaption));
        QLineEdit *box = addPasswordBox(prompt.boxName, layout.prompts[i].box);
        platform::labelControl(*label, *box);
        m_labels[std::max(prompt.labelIndex, 0)] = label;
    }

    m_ok = addButton("cmdOK", "&OK", layout.ok);
    m_ok->setDefault(true);
    m_cancel = addButton("cmdCancel", "&Cancel", layout.cancel);
    applyButtonAppearance(false, true); // as designed: standard buttons with their images

    // Each label sits just before its box (its access key moves into the box), the boxes in
    // order, then OK and Cancel.
    std::vector<QWidget *> tabOrder(m_boxes.begin(), m_boxes.end());
    tabOrder.push_back(m_ok);
    tabOrder.push_back(m_cancel);
    for (std::size_t i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
    m_boxes.front()->setFocus();

    connect(m_ok, &QPushButton::clicked, this, [this] { checkEntry(); });
    connect(m_cancel, &QPushButton::clicked, this, &PasswordDialog::cancelEntry);
}

QLineEdit *PasswordDialog::addPasswordBox(const char *name, const QRect &place)
{
    auto *box = new QLineEdit(this);
    box->setObjectName(QString::fromLatin1(name));
    box->setEchoMode(QLineEdit::Password);
    box->setStyleSheet(QStringLiteral("lineedit-password-character: 42")); // '*'
    box->setGeometry(fromTwips(place));
    box->installEventFilter(this);
    m_boxes.push_back(box);
    const QString boxName = box->objectName();
    if (boxName == QLatin1String("txtPassword"))
        m_password = box;
    else if (boxName == QLatin1String("txtConfirmation"))
        m_confirmation = box;
    else if (boxName == QLatin1String("txtOLDPassword"))
        m_oldPassword = box;
    return box;
}

QPushButton *PasswordDialog::addButton(const char *name, const char *caption, const QRect &place)
{
    auto *button = new VTButton(this);
    button->setObjectName(QString::fromLatin1(name));
    button->setProperty("Caption", QString::fromLatin1(caption));
    button->setProperty("maskcolor", QColor(255, 0, 255));
    button->setGeometry(fromTwips(place));
    return button;
}

QString PasswordDialog::runEntry(VBool &cancelled, const EntrySettings &settings)
{
    m_enteredText.clear();
    m_minLength = settings.minLength;
    m_maxLength = settings.maxLength;
    showTitle(settings.title);
    m_cancelled = true;
    const int boxLimit =
        settings.maxLength > 0 ? settings.maxLength : std::numeric_limits<int>::max();
    for (QLineEdit *box : {m_password, m_confirmation, m_oldPassword}) {
        if (box)
            box->setMaxLength(boxLimit);
    }
    applyButtonAppearance(settings.active, settings.useImages);
    exec();
    cancelled = toVBool(m_cancelled);
    return m_enteredText;
}

void PasswordDialog::showTitle(const QString &title)
{
    setWindowTitle(title);
    if (!title.isEmpty())
        return;
    // The window system would put the application's name into an empty title bar; a lone
    // blank in the native window's title keeps the bar empty, and the form's title empty.
    create();
    if (QWindow *native = windowHandle())
        native->setTitle(QStringLiteral(" "));
}

void PasswordDialog::applyButtonAppearance(bool active, bool useImages)
{
    const ButtonAppearance ok = buttonAppearance(active, useImages, okColour, okGray);
    const ButtonAppearance cancel = buttonAppearance(active, useImages, cancelColour, cancelGray);
    m_ok->setProperty("ButtonStyle", ok.style);
    m_cancel->setProperty("ButtonStyle", cancel.style);
    applyButtonImages(*m_ok, ok);
    applyButtonImages(*m_cancel, cancel);
}

bool PasswordDialog::lengthAccepted(QLineEdit &box, EntryRole role, bool focusOnFailure)
{
    const std::optional<LengthMessage> message =
        lengthMessage(role, box.text().size(), m_minLength, m_maxLength);
    if (!message)
        return true;
    platform::showMessageBox(this, message->text, message->title,
                             platform::MessageIcon::Information);
    if (focusOnFailure)
        box.setFocus();
    return false;
}

void PasswordDialog::reportMismatch(QLineEdit &box, const QString &title, const QString &text)
{
    platform::showMessageBox(this, text, title, platform::MessageIcon::Exclamation);
    box.setFocus();
    TextBoxUtility::forThisThread().selectWholeText(box);
}

bool PasswordDialog::confirmationMatches(bool caseSensitive, const QString &title)
{
    if (passwordsMatch(m_password->text(), m_confirmation->text(), caseSensitive))
        return true;
    reportMismatch(
        *m_confirmation, title,
        QStringLiteral("The Password and Confirmation do not match!  Please try again."));
    return false;
}

void PasswordDialog::acceptEntry()
{
    m_enteredText = m_password->text();
    m_cancelled = false;
    accept();
}

void PasswordDialog::cancelEntry()
{
    m_enteredText.clear();
    m_cancelled = true;
    reject();
}

void PasswordDialog::keyPressEvent(QKeyEvent *event)
{
    // Esc presses Cancel rather than only closing the window.
    if (event->matches(QKeySequence::Cancel)) {
        m_cancel->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

bool PasswordDialog::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::FocusIn) {
        if (auto *box = qobject_cast<QLineEdit *>(watched))
            TextBoxUtility::forThisThread().selectWholeText(*box);
    }
    return QDialog::eventFilter(watched, event);
}
