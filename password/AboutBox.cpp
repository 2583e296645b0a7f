#include "password/AboutBox.h"
#include "password/ControlVersion.h"
#include "password/VTPasswordModule.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPointer>
#include <QPushButton>

#include "globals/utilities/GeneralUtility.h"
#include "globals/utilities/SoundUtility.h"
#include "password/AboutLoadSteps.h"
#include "password/HandCursor.h"
#include "password/LibraryBitmaps.h"
#include "password/SystemInfoLauncher.h"

namespace {

constexpr QSize clientSize(382, 254);
const QColor darkBlue(0, 0, 128);

QPointer<AboutBox> &sharedSlot()
{
    static QPointer<AboutBox> box;
    return box;
}

QFont fontOf(const char *family, qreal points, bool bold = false)
{
    QFont font{QString::fromLatin1(family)};
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void setColour(QWidget *widget, QPalette::ColorRole role, const QColor &colour)
{
    QPalette colours = widget->palette();
    colours.setColor(role, colour);
    widget->setPalette(colours);
}

// Sizes a one-line label to its whole text, trailing blanks included, as the label's text
// layout alone would leave them out.
void sizeToText(QLabel *label)
{
    label->resize(label->fontMetrics().horizontalAdvance(label->text()),
                  label->sizeHint().height());
}

} // namespace

void AboutBox::showShared()
{
    QPointer<AboutBox> &box = sharedSlot();
    if (!box)
        box = new AboutBox();
    // A second modal showing from inside the first would load the open box afresh under the
    // user's pointer.
    if (box->isVisible())
        return;
    box->load();
    box->exec();
}

AboutBox *AboutBox::shared() { return sharedSlot(); }

AboutBox::AboutBox()
    : QDialog(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    vtPasswordModule().objectCreated();
    setObjectName(QStringLiteral("AboutBox"));
    setFont(fontOf("MS Sans Serif", 8.25));
    setFixedSize(clientSize);
    setMouseTracking(true);

    m_picture = addPicture("picIcon", QStringLiteral("ABOUT_SIDE_16"));
    m_picture256 = addPicture("picIcon256", QStringLiteral("ABOUT_SIDE_256"));
    buildHeading();
    buildNotice();
    buildTexts();
    buildButtons();
    watchControls();
}

AboutBox::~AboutBox() { vtPasswordModule().objectDestroyed(); }

QLabel *AboutBox::addLabel(const char *name, const QString &text, const QRect &place,
                           const QFont &font)
{
    auto *label = new QLabel(text, this);
    label->setObjectName(QString::fromLatin1(name));
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(font);
    label->setGeometry(place);
    return label;
}

QLabel *AboutBox::addPicture(const char *name, const QString &bitmap)
{
    auto *picture = new QLabel(this);
    picture->setObjectName(QString::fromLatin1(name));
    picture->setFrameStyle(QFrame::Box | QFrame::Plain);
    picture->setLineWidth(1);
    picture->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picture->setPixmap(loadLibraryBitmap(bitmap));
    picture->setGeometry(8, 9, 45, 235);
    picture->setAccessibleName(QStringLiteral("A key beneath falling stars"));
    picture->hide();
    return picture;
}

void AboutBox::buildHeading()
{
    m_title = addLabel("lblTitle", QString(), {64, 4, 314, 39}, fontOf("Arial", 18, true));
    setColour(m_title, QPalette::WindowText, darkBlue);

    m_componentKind = addLabel("lblActiveX", QStringLiteral("ActiveX Component"), {63, 32, 154, 21},
                               fontOf("Times New Roman", 14.25));
    setColour(m_componentKind, QPalette::WindowText, Qt::black);
    sizeToText(m_componentKind);

    QLabel *beta = addLabel("lblBeta", QStringLiteral("BETA EDITION"), {224, 33, 113, 19},
                            fontOf("Arial", 12, true));
    setColour(beta, QPalette::WindowText, Qt::red);
    sizeToText(beta);
    beta->hide();

    m_version = addLabel("lblVersion", QStringLiteral("Version"), {63, 64, 35, 13}, font());
    sizeToText(m_version);
}

void AboutBox::buildNotice()
{
    // The first line ends in a blank so that the maker's name stands apart from the years.
    m_copyright = addLabel("lblCopyright", QStringLiteral("Copyright \u00A9 1998-2025 "),
                           {63, 86, 113, 13}, font());
    sizeToText(m_copyright);

    m_webLink = addLabel("lblWebLink", QStringLiteral("Corvantide"), {177, 86, 80, 13}, font());
    m_webLink->setAutoFillBackground(true);
    m_webLink->setCursor(handCursor());
    showLinkLook(LinkLook::normal());
    sizeToText(m_webLink);

    QLabel *reserved = addLabel("lblCopyright2", QStringLiteral("All rights reserved."),
                                {63, 100, 96, 13}, font());
    sizeToText(reserved);
}

void AboutBox::buildTexts()
{
    m_description =
        addLabel("lblDescription",
                 QStringLiteral("VantrelStudio is a suite of development tools for Windows 95, 98, "
                                "NT and 2000, made for visual form designers and for C and C++ "
                                "environments alike."),
                 {63, 123, 312, 43}, font());
    m_disclaimer =
        addLabel("lblDisclaimer",
                 QStringLiteral("Warning: the VantrelStudio products, their data and their "
                                "documentation are protected by copyright law and international "
                                "treaties. Anyone who copies or distributes them, or any part of "
                                "them, without permission will be prosecuted as far as the law "
                                "allows."),
                 {63, 180, 315, 72}, font());
    for (QLabel *text : {m_description, m_disclaimer}) {
        text->setWordWrap(true);
        setColour(text, QPalette::WindowText, Qt::black);
    }
}

void AboutBox::buildButtons()
{
    // Made in tab order: OK first, then System Info.
    auto *ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(271, 69, 103, 22);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    m_ok = ok;

    auto *sysInfo = new QPushButton(QStringLiteral("&System Info..."), this);
    sysInfo->setObjectName(QStringLiteral("cmdSysInfo"));
    sysInfo->setGeometry(271, 94, 103, 22);
    connect(sysInfo, &QPushButton::clicked, this, [this] { StartSysInfo(this); });
}

void AboutBox::watchControls()
{
    for (QWidget *control : findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly)) {
        control->setMouseTracking(true);
        control->installEventFilter(this);
    }
}

void AboutBox::load()
{
    m_linkPressed = false;
    m_webLink->move(m_copyright->x() + m_copyright->width(), m_webLink->y());
    showLinkLook(LinkLook::normal());

    const bool rich = sidePictureFor(GeneralUtility::forThisThread().colourCount()) ==
                      SidePicture::TwoHundredFiftySixColours;
    m_picture256->setVisible(rich);
    m_picture->setVisible(!rich);

    const QString title = QString::fromLatin1(libraryTitle);
    setWindowTitle(QStringLiteral("About ") + title);
    m_version->setText(versionLine(QStringLiteral(VANTRELPASSWORD_VERSION)));
    sizeToText(m_version);
    m_title->setText(title);

    QCoreApplication::processEvents();
    playClick();
}

void AboutBox::playClick()
{
    // The click is a courtesy: without a directory, a player or the file the box stays silent.
    const QString sound = clickSoundPath(GeneralUtility::forThisThread().libraryDirectory());
    if (!sound.isEmpty())
        SoundUtility::forThisThread().play(sound);
}

AboutBackgroundLayout AboutBox::backgroundLayout() const
{
    return {size(),
            m_picture->geometry(),
            m_picture256->geometry(),
            m_componentKind->geometry(),
            m_version->geometry(),
            m_description->geometry(),
            m_disclaimer->geometry(),
            m_ok->geometry()};
}

LinkLook AboutBox::linkLook() const
{
    return {m_webLink->palette().color(QPalette::WindowText), m_webLink->font().underline()};
}

void AboutBox::showLinkLook(const LinkLook &look)
{
    setColour(m_webLink, QPalette::WindowText, look.colour);
    QFont font = m_webLink->font();
    font.setUnderline(look.underlined);
    m_webLink->setFont(font);
}

void AboutBox::pointerMovedOver(const QString &controlName)
{
    const LinkLook current = linkLook();
    const LinkLook next = lookAfterPointerMove(current, controlName);
    if (!(next == current))
        showLinkLook(next);
}

void AboutBox::paintEvent(QPaintEvent *event)
{
    QPainter painter(this);
    const QPalette &colours = palette();
    paintAboutBackground(painter, backgroundLayout(),
                         {colours.color(QPalette::Button), colours.color(QPalette::Dark),
                          colours.color(QPalette::Light)});
    QDialog::paintEvent(event);
}

void AboutBox::showEvent(QShowEvent *event)
{
    // A box loaded afresh opens with the focus on OK, whichever control had it when the box
    // was hidden (Qt would give it back), so that OK is again the default button. A window
    // that the desktop merely restores keeps its focus.
    if (!event->spontaneous())
        m_ok->setFocus();
    QDialog::showEvent(event);
}

void AboutBox::mouseMoveEvent(QMouseEvent *event)
{
    // A control that lets a move pass on to the box has already been seen by the filter.
    if (!childAt(event->position().toPoint()))
        pointerMovedOver(QString());
    QDialog::mouseMoveEvent(event);
}

bool AboutBox::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseMove:
        pointerMovedOver(watched->objectName());
        break;
    case QEvent::MouseButtonPress:
        if (watched == m_webLink)
            m_linkPressed = static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton;
        break;
    case QEvent::MouseButtonRelease:
        if (watched == m_webLink) {
            // A click is a press and a release of the left button over the link.
            const auto *release = static_cast<QMouseEvent *>(event);
            const bool click = m_linkPressed && release->button() == Qt::LeftButton &&
                               m_webLink->rect().contains(release->position().toPoint());
            m_linkPressed = false;
            if (click)
                GeneralUtility::forThisThread().openAddress(QString::fromLatin1(webAddress));
        }
        break;
    default:
        break;
    }
    return QDialog::eventFilter(watched, event);
}
