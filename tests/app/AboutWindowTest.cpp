#include "tests/support/WindowFixture.h"

#include "app/AboutVersion.h"
#include "app/LinkLabel.h"
#include "app/frmAbout.h"
#include "globals/ProductVersion.h"
#include "platform/ui/Shell.h"
#include "tests/support/AccessibleNames.h"

#include <QAccessible>
#include <QApplication>
#include <QMouseEvent>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
int openAboutWindows()
{
    int count = 0;
    for (QWidget *widget : QApplication::topLevelWidgets())
        count += qobject_cast<frmAbout *>(widget) && widget->isVisible();
    return count;
}

void movePointerOver(QWidget *widget, QPoint at = QPoint(2, 2))
{
    QMouseEvent move(QEvent::MouseMove, at, widget->mapToGlobal(at), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(widget, &move);
}

LinkLabel *link(const char *name) { return frmAbout::shared()->findChild<LinkLabel *>(name); }
} // namespace

class AboutWindow : public WindowFixture {
protected:
    void TearDown() override
    {
        if (frmAbout *about = frmAbout::shared())
            delete about;
        WindowFixture::TearDown();
    }
    void pressAbout()
    {
        QTest::mouseClick(window->findChild<QWidget *>("cmdAbout"), Qt::LeftButton);
    }
};

TEST(AboutVersion, ShowsMajorMinorAndThirdPart)
{
    EXPECT_EQ(aboutVersionText("1.65.0.0"), "Version 1.65.0");
    EXPECT_EQ(aboutVersionText("2.7.3.9"), "Version 2.7.3");
    EXPECT_EQ(aboutVersionText("3"), "Version 3.0.0");
    EXPECT_EQ(aboutVersionText("4..1"), "Version 4.0.1");
}

TEST_F(AboutWindow, PressingAboutTwiceShowsOneModelessWindowAndOkUnloadsIt)
{
    pressAbout();
    frmAbout *first = frmAbout::shared();
    ASSERT_NE(first, nullptr);
    pressAbout();
    EXPECT_EQ(frmAbout::shared(), first);
    EXPECT_EQ(openAboutWindows(), 1);
    EXPECT_EQ(first->windowModality(), Qt::NonModal);
    EXPECT_EQ(first->parentWidget(), nullptr);
    EXPECT_EQ(first->windowTitle(), "About Ember Coffer");
    EXPECT_EQ(first->findChild<QLabel *>("lblVersion")->text(),
              "Version " EMBERCOFFER_VERSION_TEXT);
    EXPECT_EQ(first->findChild<QLabel *>("lblTitle")->text(), "EmberCoffer");
    EXPECT_EQ(first->size(), QSize(350, 323));

    QPointer<frmAbout> closed = first;
    QTest::mouseClick(first->findChild<QPushButton *>("cmdOK"), Qt::LeftButton);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(closed.isNull());
    EXPECT_EQ(frmAbout::shared(), nullptr);

    pressAbout();
    ASSERT_NE(frmAbout::shared(), nullptr);
    EXPECT_EQ(frmAbout::shared()->findChild<QLabel *>("lblVersion")->text(),
              "Version " EMBERCOFFER_VERSION_TEXT);
    EXPECT_EQ(openAboutWindows(), 1);
}

TEST_F(AboutWindow, TheProgramRunsOnUntilTheAboutWindowClosesToo)
{
    bool aboutOutlivedTheMainWindow = false;
    QTimer::singleShot(0, [&] {
        pressAbout();
        window->close();
        QTimer::singleShot(0, [&] {
            aboutOutlivedTheMainWindow = frmAbout::shared() && frmAbout::shared()->isVisible();
            frmAbout::shared()->close();
        });
    });
    // Only a guard against hanging: the program is expected to end as soon as About closes.
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(1); });
    guard.start(10000);
    EXPECT_EQ(QApplication::exec(), 0);
    EXPECT_TRUE(aboutOutlivedTheMainWindow);
}

TEST_F(AboutWindow, LinksTurnBrightWhenPointedAtAndDarkOnlyOverTheBackground)
{
    pressAbout();
    frmAbout *about = frmAbout::shared();
    const char *names[] = {"lblSendSupport", "lblSendSales", "lblGoURL"};
    for (const char *name : names)
        EXPECT_EQ(link(name)->colour(), QColor(0, 0, 192)) << name;

    movePointerOver(link("lblSendSales"));
    movePointerOver(link("lblGoURL"));
    EXPECT_EQ(link("lblSendSales")->colour(), QColor(0, 0, 255));
    EXPECT_EQ(link("lblGoURL")->colour(), QColor(0, 0, 255));
    EXPECT_EQ(link("lblSendSupport")->colour(), QColor(0, 0, 192));

    // Leaving the window or moving over another label changes nothing.
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(link("lblGoURL"), &leave);
    movePointerOver(about->findChild<QLabel *>("lblDescription"));
    EXPECT_EQ(link("lblGoURL")->colour(), QColor(0, 0, 255));

    movePointerOver(about, QPoint(300, 150));
    for (const char *name : names)
        EXPECT_EQ(link(name)->colour(), QColor(0, 0, 192)) << name;
    movePointerOver(link("lblSendSupport"));
    movePointerOver(about->findChild<QWidget *>("Shape1"), QPoint(200, 10));
    EXPECT_EQ(link("lblSendSupport")->colour(), QColor(0, 0, 192))
        << "the title band is background";
}

TEST_F(AboutWindow, LinksOpenTheWebSiteAndMailAddressesThroughTheShell)
{
    std::vector<QString> opened;
    platform::setShellHandler([&](const platform::ShellCall &call) {
        EXPECT_EQ(call.action, platform::ShellAction::Execute);
        opened.push_back(call.path);
        return false; // a failed launch stays silent
    });
    pressAbout();
    for (const char *name : {"lblGoURL", "lblSendSupport", "lblSendSales"})
        QTest::mouseClick(link(name), Qt::LeftButton);
    platform::setShellHandler({});
    EXPECT_EQ(opened, std::vector<QString>({frmAbout::webAddress,
                                            QString("mailto:") + frmAbout::supportAddress,
                                            QString("mailto:") + frmAbout::salesAddress}));
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(link("lblSendSupport")->text(), frmAbout::supportAddress);
    EXPECT_TRUE(link("lblGoURL")->font().underline());
}

TEST_F(AboutWindow, ButtonAndPictureAreNamedAndEachAddressIsReadWithItsLabel)
{
    pressAbout();
    frmAbout *about = frmAbout::shared();
    EXPECT_EQ(unnamedControls(*about), QStringList());
    EXPECT_EQ(accessibleName(about->findChild<QWidget *>("cmdOK")), "OK");
    EXPECT_EQ(accessibleName(link("lblSendSupport")), frmAbout::supportAddress);
    EXPECT_EQ(link("lblSendSupport")->accessibleDescription(), "Technical Support");
    EXPECT_EQ(link("lblSendSales")->accessibleDescription(), "Sales");
}

// The three addresses are links to the keyboard and to screen readers: Tab reaches each, Enter
// or the reader's press action opens it.
TEST_F(AboutWindow, TabReachesTheThreeLinksWhichAreReadAsLinksAndOpenWithEnter)
{
    std::vector<QString> opened;
    platform::setShellHandler([&](const platform::ShellCall &call) {
        opened.push_back(call.path);
        return true;
    });
    pressAbout();
    frmAbout *about = frmAbout::shared();
    about->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(about));
    about->findChild<QWidget *>("cmdOK")->setFocus();
    QStringList reached;
    for (int i = 0; i < 4; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached << QApplication::focusWidget()->objectName();
    }
    EXPECT_EQ(reached, QStringList({"lblSendSupport", "lblSendSales", "lblGoURL", "cmdOK"}));

    for (const char *name : {"lblSendSupport", "lblSendSales", "lblGoURL"}) {
        QAccessibleInterface *face = QAccessible::queryAccessibleInterface(link(name));
        EXPECT_EQ(face->role(), QAccessible::Link) << name;
        EXPECT_TRUE(face->state().linked && face->state().focusable) << name;
        EXPECT_EQ(face->text(QAccessible::Value), link(name)->address()) << name;
        link(name)->setFocus();
        QTest::keyClick(link(name), Qt::Key_Return);
        face->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
    }
    platform::setShellHandler({});
    const QString web = frmAbout::webAddress;
    const QString support = QString("mailto:") + frmAbout::supportAddress;
    const QString sales = QString("mailto:") + frmAbout::salesAddress;
    EXPECT_EQ(opened, std::vector<QString>({support, support, sales, sales, web, web}));
}
