#include "app/frmAbout.h"
#include "globals/ProductVersion.h"

#include "app/AboutVersion.h"
#include "app/FormParts.h"
#include "app/LinkLabel.h"
#include "globals/utilities/FormFonts.h"
#include "platform/core/Twips.h"
#include "platform/ui/AccessibleName.h"
#include "platform/ui/Shell.h"

#include <QFrame>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>

namespace {

QPointer<frmAbout> &sharedSlot()
{
    static QPointer<frmAbout> about;
    return about;
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette colours = widget->palette();
    colours.setColor(QPalette::WindowText, colour);
    widget->setPalette(colours);
}

} // namespace

frmAbout *frmAbout::showShared()
{
    QPointer<frmAbout> &about = sharedSlot();
    if (!about)
        about = new frmAbout();
    about->show();
    about->raise();
    about->activateWindow();
    return about;
}

frmAbout *frmAbout::shared() { return sharedSlot(); }

frmAbout::frmAbout()
    : QDialog(nullptr, Qt::Tool | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                           Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint)
{
    registerFormFontSubstitutes();
    setObjectName("frmAbout");
    setAttribute(Qt::WA_DeleteOnClose);
    // A tool window stays out of the task bar, but this one still keeps the program running
    // after the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, true);
    setFont(formFont("MS Sans Serif", 8.25));
    setFixedSize(fromTwips(5250), fromTwips(4845));
    setMouseTracking(true);

    addPicture(this, "picIcon", ":/embercoffer/banner.jpg", "Ember Coffer")
        ->setGeometry(twipsRect(0, -1320, 780, 6270));
    buildTitleBand();

    QLabel *description = addLabel(this, "lblDescription",
                                   "Ember Coffer protects your files: it encrypts and decrypts "
                                   "files of any format with a key of your choice.");
    description->setWordWrap(true);
    description->setGeometry(twipsRect(840, 1050, 4245, 570));

    buildLinks();
    const auto [dark, light] = addEtchedLine(this);
    dark->setGeometry(QRect(twipsPoint(840, 3810), QSize(fromTwips(5160 - 840), 1)));
    light->setGeometry(dark->geometry().translated(0, 1));

    auto *ok = new QPushButton("&OK", this);
    ok->setObjectName("cmdOK");
    ok->setGeometry(twipsRect(4200, 3930, 975, 315));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::close);
    load();
}

void frmAbout::load()
{
    setWindowTitle("About Ember Coffer");
    m_version->setText(aboutVersionText(EMBERCOFFER_VERSION));
    m_title->setText("EmberCoffer");
}

void frmAbout::buildTitleBand()
{
    auto *band = new QFrame(this);
    band->setObjectName("Shape1");
    band->setAutoFillBackground(true);
    QPalette colours = band->palette();
    colours.setColor(QPalette::Window, Qt::black);
    band->setPalette(colours);
    band->setGeometry(twipsRect(720, 0, 4575, 975));
    // Moves over the band count as moves over the window's background.
    band->setMouseTracking(true);

    m_title = addLabel(this, "lblTitle", "Application Title");
    QFont titleFont = formFont("Arial", 12);
    titleFont.setBold(true);
    m_title->setFont(titleFont);
    setTextColour(m_title, Qt::blue);
    m_title->setGeometry(twipsRect(960, 120, 4125, 360));

    QLabel *tagline = addLabel(this, "Label3", "Encrypt-Decrypt File");
    QFont taglineFont = formFont("MS Sans Serif", 9.75);
    taglineFont.setBold(true);
    tagline->setFont(taglineFont);
    setTextColour(tagline, Qt::yellow);
    tagline->setGeometry(twipsRect(960, 480, 4185, 255));

    m_version = addLabel(this, "lblVersion", "Version");
    setTextColour(m_version, palette().color(QPalette::HighlightedText));
    m_version->setGeometry(twipsRect(960, 720, 4125, 225));
}

void frmAbout::buildLinks()
{
    QLabel *support = addLabel(this, "Label5", "Technical Support:");
    support->setGeometry(grownToText(support, twipsRect(840, 2760, 1350, 195)));
    QLabel *sales = addLabel(this, "Label6", "Sales:");
    sales->setGeometry(grownToText(sales, twipsRect(840, 3150, 435, 195)));
    m_links = {
        addLink("lblSendSupport", supportAddress, QStringLiteral("mailto:") + supportAddress,
                twipsRect(2280, 2760, 1740, 195)),
        addLink("lblSendSales", salesAddress, QStringLiteral("mailto:") + salesAddress,
                twipsRect(2280, 3150, 1575, 195)),
        addLink("lblGoURL", QStringLiteral("Corvantide \u00AE"), webAddress,
                twipsRect(2580, 3540, 885, 195)),
    };
    // Each address is read with the label beside it.
    m_links[0]->setAccessibleDescription(platform::accessibleNameFrom(support->text()));
    m_links[1]->setAccessibleDescription(platform::accessibleNameFrom(sales->text()));
}

LinkLabel *frmAbout::addLink(const char *name, const QString &text, const QString &address,
                             const QRect &geometry)
{
    auto *link = new LinkLabel(name, text, address, this);
    link->setGeometry(grownToText(link, geometry));
    connect(link, &LinkLabel::pointedAt, link, [link] { link->setHovered(true); });
    connect(link, &LinkLabel::clicked, link, [link] { platform::shellExecute(link->address()); });
    return link;
}

void frmAbout::mouseMoveEvent(QMouseEvent *event)
{
    for (LinkLabel *link : m_links)
        link->setHovered(false);
    QDialog::mouseMoveEvent(event);
}
