#include "tests/support/WindowFixture.h"

#include "app/FormParts.h"
#include "app/frmAbout.h"
#include "button/VTButtonLW.h"
#include "globals/ProductVersion.h"
#include "platform/ui/HtmlHelp.h"
#include "platform/ui/ProgramExit.h"
#include "tests/support/AccessibleNames.h"

#include <QAccessible>
#include <QApplication>
#include <QDirIterator>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QUrl>

using MainWindow = WindowFixture;

namespace {
// Where a control sits in the coordinates of `container`.
QRect placeIn(QWidget *container, QWidget *control)
{
    return QRect(control->mapTo(container, QPoint(0, 0)), control->size());
}
} // namespace

TEST_F(MainWindow, OpensFixedSizedWithTheFileTabInFrontAndEmptyBoxes)
{
    EXPECT_EQ(window->windowTitle(),
              "Ember Coffer " + QString(EMBERCOFFER_VERSION_TEXT).section('.', 0, 1));
    EXPECT_EQ(window->size(), QSize(503, 415));
    EXPECT_EQ(window->minimumSize(), window->maximumSize());
    EXPECT_FALSE(window->windowFlags() & Qt::WindowMaximizeButtonHint);
    auto *tabs = window->findChild<QTabWidget *>("SSTab1");
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->currentIndex(), 0);
    EXPECT_EQ(tabs->tabText(0), "  File  ");
    EXPECT_EQ(tabs->tabText(1), "Password ");
    for (const char *name : {"txtEncKey", "txtEncFile", "txtDecKey", "txtDecFile"})
        EXPECT_TRUE(window->findChild<QLineEdit *>(name)->text().isEmpty()) << name;
    EXPECT_EQ(window->findChild<QTextEdit *>("txtPass")->toPlainText(), "none\n");
    EXPECT_EQ(bar()->minimum(), 0);
    EXPECT_EQ(bar()->maximum(), 100);
}

TEST_F(MainWindow, ControlsSitWhereTheLayoutPutsThemWhateverTheTabStripHeight)
{
    auto *tabs = window->findChild<QTabWidget *>("SSTab1");
    EXPECT_EQ(tabs->geometry(), QRect(56, 0, 445, 369));
    EXPECT_EQ(window->findChild<QLabel *>("Picture3")->geometry(), QRect(0, 0, 52, 418));
    EXPECT_EQ(placeIn(tabs, encrypt()), QRect(8, 72, 425, 129));
    EXPECT_EQ(placeIn(tabs, decrypt()), QRect(8, 208, 425, 129));
    EXPECT_EQ(placeIn(tabs, bar()), QRect(6, 344, 429, 17));
    EXPECT_EQ(placeIn(tabs, window->findChild<QLabel *>("Label3_2")), QRect(44, 40, 389, 17));
    EXPECT_EQ(encrypt()->actionButton()->geometry(), QRect(296, 84, 113, 33));
    EXPECT_EQ(decrypt()->fileBox()->geometry(), QRect(72, 56, 309, 19));
    EXPECT_EQ(deleteBox(decrypt())->pos(), QPoint(8, 104));
    EXPECT_EQ(deleteBox(encrypt())->pos(), QPoint(8, 96));
    EXPECT_EQ(window->findChild<QWidget *>("cmdExit")->geometry(), QRect(400, 376, 89, 25));

    tabs->setCurrentIndex(1);
    EXPECT_EQ(placeIn(tabs, window->findChild<QWidget *>("cmdCreatePass")),
              QRect(216, 324, 105, 25));
    EXPECT_EQ(placeIn(tabs, window->findChild<QWidget *>("txtPass")), QRect(120, 156, 313, 149));
}

TEST_F(MainWindow, BottomRowUsesBothButtonLooksAndActionButtonsShowImages)
{
    EXPECT_EQ(qobject_cast<VTButtonLW *>(window->findChild<VTButton *>("cmdAbout")), nullptr);
    EXPECT_NE(qobject_cast<VTButtonLW *>(window->findChild<VTButton *>("cmdHelp")), nullptr);
    EXPECT_NE(qobject_cast<VTButtonLW *>(window->findChild<VTButton *>("cmdExit")), nullptr);
    for (CipherFrame *frame : {encrypt(), decrypt()}) {
        VTButton *action = frame->actionButton();
        EXPECT_TRUE(action->font().bold());
        EXPECT_FALSE(action->buttonImage().isNull()) << "the artwork is embedded";
        EXPECT_FALSE(action->buttonImageHover().isNull());
        EXPECT_TRUE(action->useStateImages());
    }
}

TEST_F(MainWindow, FocusMovesFromFileToKeyToActionToBrowseInEachFrame)
{
    for (CipherFrame *frame : {encrypt(), decrypt()}) {
        QWidget *order[] = {frame->fileBox(), frame->keyBox(), frame->actionButton(),
                            frame->browseButton()};
        for (int i = 0; i + 1 < 4; ++i)
            EXPECT_EQ(order[i]->nextInFocusChain(), order[i + 1])
                << frame->objectName().toStdString() << i;
    }
}

TEST_F(MainWindow, StartsWithTheFocusInTheEncryptFileBox)
{
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    EXPECT_EQ(QApplication::focusWidget(), encrypt()->fileBox());
    QTest::keyClicks(QApplication::focusWidget(), "typed");
    EXPECT_EQ(encrypt()->fileBox()->text(), "typed");
}

TEST_F(MainWindow, EveryControlAndPictureOfBothTabsHasTheNameItsLabelShows)
{
    EXPECT_EQ(unnamedControls(*window), QStringList());
    const std::pair<const char *, const char *> names[] = {
        {"txtEncKey", "Encrypt Key"},
        {"txtEncFile", "Encrypt File"},
        {"cmdOpenEnc", "Open Encrypt File"},
        {"cmdEnc", "Encrypt"},
        {"chkEnc", "Delete plaintext file after encrypt."},
        {"txtDecKey", "Decrypt Key"},
        {"txtDecFile", "Decrypt File"},
        {"cmdOpenDec", "Open Decrypt File"},
        {"cmdDec", "Decrypt"},
        {"txtPass", "Current Password"},
        {"cmdCreatePass", "Create Password"},
        {"cmdRemovePass", "Remove Password"},
        {"cmdExit", "Exit"},
    };
    for (const auto &[control, name] : names)
        EXPECT_EQ(accessibleName(window->findChild<QWidget *>(control)), name) << control;
    // The labels keep their text and are the buddies of the boxes beside them.
    const std::tuple<const char *, const char *, const char *> labels[] = {
        {"Label1", "Encrypt Key:", "txtEncKey"},    {"Label2", "Encrypt File:", "txtEncFile"},
        {"Label3_0", "Decrypt Key:", "txtDecKey"},  {"Label4_0", "Decrypt File:", "txtDecFile"},
        {"Label6", "Current Password:", "txtPass"},
    };
    for (const auto &[name, text, box] : labels) {
        auto *label = window->findChild<QLabel *>(name);
        EXPECT_EQ(label->text(), text);
        EXPECT_EQ(label->buddy(), window->findChild<QWidget *>(box)) << name;
    }
}

// Assistive technology reads the window as a frame with a named progress bar, and Ctrl+Tab
// takes the focus straight into the other page, never through the buttons after the tabs.
TEST_F(MainWindow, IsReadAsAFrameAndCtrlTabMovesTheFocusStraightToTheOtherPage)
{
    EXPECT_EQ(QAccessible::queryAccessibleInterface(window.get())->role(), QAccessible::Window);
    QAccessibleInterface *progress =
        QAccessible::queryAccessibleInterface(window->findChild<QProgressBar *>());
    ASSERT_NE(progress, nullptr);
    EXPECT_EQ(progress->role(), QAccessible::ProgressBar);
    EXPECT_EQ(progress->text(QAccessible::Name), "Progress");

    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    auto *tabs = window->findChild<QTabWidget *>("SSTab1");
    QStringList focused;
    const QMetaObject::Connection watch =
        QObject::connect(qApp, &QApplication::focusChanged, [&](QWidget *, QWidget *now) {
            focused << (now ? now->objectName() : "(none)");
        });
    for (int page : {1, 0}) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
        EXPECT_EQ(tabs->currentIndex(), page);
        EXPECT_TRUE(tabs->widget(page)->isAncestorOf(QApplication::focusWidget())) << page;
    }
    QObject::disconnect(watch);
    EXPECT_FALSE(focused.contains("cmdAbout")) << focused.join(", ").toStdString();
}

TEST(Artwork, EveryDrawingHasAHighDensityDrawingOfTwiceItsSizeThatDenseScreensGet)
{
    int drawings = 0;
    for (QDirIterator each(":/embercoffer"); each.hasNext();) {
        const QString path = each.next();
        if (path.contains("@2x"))
            continue;
        ++drawings;
        const QPixmap normal = artwork(path, 1.0);
        const QPixmap dense = artwork(path, 2.0);
        EXPECT_EQ(normal.devicePixelRatio(), 1.0) << path.toStdString();
        EXPECT_EQ(dense.devicePixelRatio(), 2.0) << path.toStdString();
        EXPECT_EQ(dense.size(), normal.size() * 2) << path.toStdString();
        EXPECT_EQ(dense.deviceIndependentSize(), QSizeF(normal.size())) << path.toStdString();
    }
    EXPECT_EQ(drawings, 8);
}

TEST_F(MainWindow, DroppedFilesAndFoldersLandInTheFrameTheyWereDroppedOn)
{
    writeFile("dropped.txt", "x");
    for (CipherFrame *frame : {encrypt(), decrypt()}) {
        QMimeData data;
        data.setUrls({QUrl::fromLocalFile(pathOf("dropped.txt"))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QApplication::sendEvent(frame, &enter);
        EXPECT_TRUE(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(frame, &drop);
        EXPECT_EQ(frame->fileBox()->text(), pathOf("dropped.txt"));
    }
    // Several files and a folder dropped together are summed up; typing starts over.
    writeFile("second.txt", "yz");
    QDir(folder.path()).mkdir("photos");
    const QStringList paths{pathOf("dropped.txt"), pathOf("second.txt"), pathOf("photos")};
    QMimeData several;
    several.setUrls({QUrl::fromLocalFile(paths[0]), QUrl::fromLocalFile(paths[1]),
                     QUrl::fromLocalFile(paths[2])});
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &several, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(encrypt(), &enter);
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &several, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(encrypt(), &drop);
    EXPECT_EQ(encrypt()->fileBox()->text(),
              "1 folder, 2 files, 3 bytes: dropped.txt, second.txt, photos");
    EXPECT_EQ(encrypt()->fileBox()->toolTip(), paths.join('\n'));
    EXPECT_EQ(encrypt()->fileBox()->accessibleDescription(), paths.join('\n'));
    EXPECT_EQ(encrypt()->paths(), paths);
    encrypt()->fileBox()->setFocus();
    QTest::keyClick(encrypt()->fileBox(), Qt::Key_Backspace);
    EXPECT_TRUE(encrypt()->fileBox()->text().isEmpty());
    encrypt()->setPaths(paths);
    QTest::keyClicks(encrypt()->fileBox(), "/tmp/x");
    EXPECT_EQ(encrypt()->fileBox()->text(), "/tmp/x");
    EXPECT_EQ(encrypt()->paths(), QStringList{"/tmp/x"});
    EXPECT_TRUE(encrypt()->fileBox()->toolTip().isEmpty());

    // Web addresses are not files to encrypt.
    QMimeData web;
    web.setUrls({QUrl("https://example.org/a.txt")});
    QDragEnterEvent webEnter(QPoint(10, 10), Qt::CopyAction, &web, Qt::LeftButton, Qt::NoModifier);
    webEnter.ignore();
    QApplication::sendEvent(encrypt(), &webEnter);
    EXPECT_FALSE(webEnter.isAccepted());
}

TEST_F(MainWindow, HelpHandsTheBareFileNameToTheHelpViewer)
{
    std::vector<platform::HtmlHelpCall> calls;
    platform::setHtmlHelpHandler(
        [&](const platform::HtmlHelpCall &call) { calls.push_back(call); });
    QTest::mouseClick(window->findChild<QWidget *>("cmdHelp"), Qt::LeftButton);
    platform::setHtmlHelpHandler({});
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].file, "EMBERCOFFERUSER'SGUIDE.CHM");
    EXPECT_EQ(calls[0].owner, window.get());
    EXPECT_EQ(calls[0].command, 0);
    EXPECT_EQ(calls[0].data, 0);
}

TEST_F(MainWindow, ExitEndsTheProgram)
{
    std::vector<int> codes;
    platform::setProgramExitHandler([&](int code) { codes.push_back(code); });
    QTest::mouseClick(window->findChild<QWidget *>("cmdExit"), Qt::LeftButton);
    platform::setProgramExitHandler({});
    EXPECT_EQ(codes, std::vector<int>({0}));
}
