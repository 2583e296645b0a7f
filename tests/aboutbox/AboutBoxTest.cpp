// The About box as a user meets it: loading, the link under the pointer, the buttons, the
// painted background, and its showing through the control.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "globals/utilities/GeneralUtility.h"
#include "password/AboutBox.h"
#include "password/AboutLoadSteps.h"
#include "password/IVTPassword.h"
#include "password/VTPasswordIds.h"
#include "password/VantrelPasswordExports.h"
#include "platform/com/ClassFactory.h"
#include "platform/com/ComPtr.h"
#include "platform/com/TypeInfo.h"
#include "platform/ui/Shell.h"
#include "tests/support/AccessibleNames.h"
#include "tests/support/ModalDriver.h"

namespace {

// The box shown without its modal loop, and the shell calls it makes.
class AboutBoxTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(registryFolder.isValid());
        qputenv("EMBERCOFFER_REGISTRY", registryFolder.filePath("registry.db").toLocal8Bit());
        platform::setShellHandler([this](const platform::ShellCall &call) {
            shellCalls.push_back(call.path);
            return false;
        });
        box.load();
        box.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
    }
    void TearDown() override { platform::setShellHandler({}); }

    template <class T = QWidget>
    T *control(const char *name)
    {
        return box.findChild<T *>(QString::fromLatin1(name));
    }

    // A pointer move over `widget` at `place`, delivered the way the window system does.
    static void moveOver(QWidget *widget, QPoint place = {2, 2})
    {
        QMouseEvent move(QEvent::MouseMove, place, widget->mapToGlobal(place), Qt::NoButton,
                         Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &move);
    }

    QTemporaryDir registryFolder;
    QStringList shellCalls;
    MessageRecorder messages;
    AboutBox box;
};

TEST_F(AboutBoxTest, LoadSetsTitlesAndVersionAndPutsTheLinkBehindTheRightsLine)
{
    EXPECT_EQ(box.windowTitle(), "About VantrelPassword");
    EXPECT_EQ(control<QLabel>("lblTitle")->text(), "VantrelPassword");
    EXPECT_EQ(control<QLabel>("lblVersion")->text(), "Version 3.5.47");
    EXPECT_EQ(box.size(), QSize(382, 254));

    auto *rights = control<QLabel>("lblCopyright");
    EXPECT_TRUE(rights->text().endsWith(' '));
    EXPECT_EQ(control("lblWebLink")->x(), rights->x() + rights->width());
    rights->setText(rights->text() + "and later ");
    rights->adjustSize();
    box.load();
    EXPECT_EQ(control("lblWebLink")->x(), rights->x() + rights->width());

    const bool rich = GeneralUtility::forThisThread().colourCount() > 256;
    EXPECT_EQ(control("picIcon256")->isVisible(), rich);
    EXPECT_EQ(control("picIcon")->isVisible(), !rich);
    EXPECT_FALSE(control("lblBeta")->isVisible());
}

TEST_F(AboutBoxTest, PointerOverTheLinkShowsTheHandHotAtTheFingerTip)
{
    const QCursor hand = control("lblWebLink")->cursor();
    EXPECT_EQ(hand.shape(), Qt::BitmapCursor);
    EXPECT_EQ(hand.hotSpot(), QPoint(5, 0));
    const QImage mask = hand.mask().toImage();
    ASSERT_EQ(mask.size(), QSize(32, 32));
    // The finger tip and the palm are covered, the corner above the thumb is clear.
    EXPECT_EQ(
        std::vector<int>({mask.pixelIndex(5, 0), mask.pixelIndex(8, 14), mask.pixelIndex(0, 0)}),
        std::vector<int>({1, 1, 0}));
}

TEST_F(AboutBoxTest, LinkStaysHighlightedOverTheSecondRightsLineUntilThePointerLeavesElsewhere)
{
    EXPECT_EQ(box.linkLook(), LinkLook::normal());
    moveOver(control("lblWebLink"));
    EXPECT_EQ(box.linkLook(), LinkLook::highlighted());
    moveOver(control("lblCopyright2"));
    EXPECT_EQ(box.linkLook(), LinkLook::highlighted());
    moveOver(&box, {3, 250}); // the background below the side picture
    EXPECT_EQ(box.linkLook(), LinkLook::normal());
    moveOver(control("lblWebLink"));
    moveOver(control("cmdOK"));
    EXPECT_EQ(box.linkLook(), LinkLook::normal());
}

TEST_F(AboutBoxTest, ClickingTheLinkOpensTheMakersAddressAndKeepsItsLook)
{
    QWidget *link = control("lblWebLink");
    moveOver(link);
    QTest::mouseClick(link, Qt::LeftButton, {}, {2, 2});
    EXPECT_EQ(shellCalls, QStringList{"https://www.corvantide.example/"});
    EXPECT_EQ(box.linkLook(), LinkLook::highlighted());

    // Pressing on the link and letting go elsewhere is no click.
    QTest::mousePress(link, Qt::LeftButton, {}, {2, 2});
    QTest::mouseRelease(link, Qt::LeftButton, {}, {link->width() + 20, 2});
    EXPECT_EQ(shellCalls.size(), 1);
}

TEST_F(AboutBoxTest, ButtonsAndSidePicturesAreNamedForAssistiveTechnology)
{
    EXPECT_EQ(unnamedControls(box), QStringList());
    EXPECT_EQ(accessibleName(control("cmdOK")), "OK");
    EXPECT_EQ(accessibleName(control("cmdSysInfo")), "System Info...");
}

TEST_F(AboutBoxTest, SystemInfoWithNothingRegisteredIsReportedAndTheBoxStaysOpen)
{
    control<QPushButton>("cmdSysInfo")->click();
    ASSERT_EQ(messages.calls().size(), 1u);
    EXPECT_EQ(messages.calls()[0].text, "System Information Is Unavailable At This Time");
    EXPECT_TRUE(box.isVisible());
}

// Distinct edge colours, so that each shape can be told apart.
const EdgeColours edges{QColor(200, 200, 200), QColor(90, 90, 90), QColor(250, 250, 240)};

TEST(AboutBackground, DesignPlacesGiveTheBandShadowAndLinesAtFiftyEightAndOneSeventyThree)
{
    const AboutBackgroundLayout layout{{382, 254},         {8, 9, 45, 235},   {8, 9, 45, 235},
                                       {63, 32, 154, 21},  {63, 64, 35, 13},  {63, 123, 312, 43},
                                       {63, 180, 315, 72}, {271, 69, 103, 22}};
    ASSERT_EQ(bandBottom(layout), 58);
    ASSERT_EQ(separatorHeight(layout), 173);
    QImage image(382, 254, QImage::Format_RGB32);
    image.fill(Qt::black);
    QPainter painter(&image);
    paintAboutBackground(painter, layout, edges);
    painter.end();
    const QColor white(Qt::white), unpainted(Qt::black);
    const struct {
        int x, y;
        QColor colour;
    } expected[] = {// The band, its etched edge and the form below it.
                    {381, 57, white},
                    {381, 58, edges.face},
                    {0, 59, edges.highlight},
                    {200, 60, unpainted},
                    // The shadow, four pixels right of and below the picture: light on the band.
                    {53, 13, edges.face},
                    {57, 57, white},
                    {53, 100, edges.shadow},
                    {12, 247, edges.shadow},
                    {56, 248, unpainted},
                    {11, 247, unpainted},
                    // The edge reversed across the shadow, and only there.
                    {53, 58, edges.shadow},
                    {56, 59, edges.face},
                    {57, 58, edges.face},
                    {57, 59, edges.highlight},
                    // The separator from the text column to the buttons' right edge.
                    {63, 173, edges.shadow},
                    {373, 174, edges.highlight},
                    {62, 173, unpainted},
                    {374, 173, unpainted}};
    for (const auto &e : expected)
        EXPECT_EQ(QColor(image.pixel(e.x, e.y)), e.colour) << e.x << "," << e.y;
}

TEST_F(AboutBoxTest, TheBoxPaintsItsBandAndLinesWhereItsOwnControlsAre)
{
    const AboutBackgroundLayout layout = box.backgroundLayout();
    const int u = bandBottom(layout);
    const int v = separatorHeight(layout);
    const QImage shot = box.grab().toImage();
    // Compared as 8-bit colours, as the window shows them.
    const auto at = [&shot](int x, int y) { return shot.pixel(x, y) | 0xff000000u; };
    const auto system = [&box = box](QPalette::ColorRole role) {
        return box.palette().color(role).rgb();
    };
    EXPECT_EQ(at(300, u - 1), qRgb(255, 255, 255));
    EXPECT_EQ(at(300, u), system(QPalette::Button));
    EXPECT_EQ(at(300, u + 1), system(QPalette::Light));
    EXPECT_EQ(at(55, 150), system(QPalette::Dark));
    EXPECT_EQ(at(200, v), system(QPalette::Dark));
    EXPECT_EQ(at(200, v + 1), system(QPalette::Light));
}

// Runs `user` once the shared box is open in its modal loop. The box handles pending events
// while it loads, so the check repeats until the box is visible.
void whenAboutBoxOpen(std::function<void(AboutBox &)> user)
{
    auto *poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, [poll, user] {
        AboutBox *box = AboutBox::shared();
        if (!box || !box->isVisible())
            return;
        poll->stop();
        poll->deleteLater();
        user(*box);
        if (box->isVisible()) {
            ADD_FAILURE() << "the About box was left open";
            box->reject();
        }
    });
    poll->start(10);
}

TEST(AboutMethod, ShowsOneSharedBoxModallyWithoutOwnerAndLoadsItAfreshEachTime)
{
    ComPtr<IClassFactory> factory;
    ComPtr<IVTPassword> control;
    ASSERT_EQ(DllGetClassObject(VTPasswordIds::control, IClassFactory::iid, factory.put()), S_OK);
    ASSERT_EQ(factory->CreateInstance(nullptr, IVTPassword::iid, control.put()), S_OK);

    AboutBox *first = nullptr;
    whenAboutBoxOpen([&first](AboutBox &box) {
        first = &box;
        EXPECT_EQ(QApplication::activeModalWidget(), &box);
        EXPECT_EQ(box.parentWidget(), nullptr);
        QMouseEvent move(QEvent::MouseMove, QPointF(2, 2), QPointF(2, 2), Qt::NoButton,
                         Qt::NoButton, {});
        QApplication::sendEvent(box.findChild<QWidget *>("lblWebLink"), &move);
        EXPECT_EQ(box.linkLook(), LinkLook::highlighted());
        box.findChild<QPushButton *>("cmdOK")->click();
    });
    EXPECT_EQ(control->About(), S_OK);
    ASSERT_NE(first, nullptr);
    EXPECT_FALSE(first->isVisible());

    // A host reaches it by the standard About-box dispatch id.
    whenAboutBoxOpen([first](AboutBox &box) {
        EXPECT_EQ(&box, first);
        EXPECT_EQ(box.linkLook(), LinkLook::normal());
        box.close();
    });
    std::vector<Variant> none;
    EXPECT_EQ(control->Invoke(DISPID_ABOUTBOX, DISPATCH_METHOD, none, nullptr), S_OK);
}

TEST(AboutMethod, AReopenedBoxHasTheFocusOnOkSoThatEnterClosesIt)
{
    QTemporaryDir registryFolder; // an empty store: no system information tool registered
    qputenv("EMBERCOFFER_REGISTRY", registryFolder.filePath("registry.db").toLocal8Bit());
    MessageRecorder messages;
    const auto activate = [](AboutBox &box) {
        box.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&box));
    };
    whenAboutBoxOpen([&activate](AboutBox &box) {
        activate(box);
        QWidget *ok = box.findChild<QWidget *>("cmdOK");
        EXPECT_EQ(QApplication::focusWidget(), ok);
        EXPECT_EQ(ok->nextInFocusChain(), box.findChild<QWidget *>("cmdSysInfo"));
        // Tab to System Info and press it: the tool cannot be found, which is reported.
        QTest::keyClick(ok, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    });
    AboutBox::showShared();
    ASSERT_EQ(messages.calls().size(), 1u);

    whenAboutBoxOpen([&activate](AboutBox &box) {
        activate(box);
        EXPECT_EQ(QApplication::focusWidget(), box.findChild<QWidget *>("cmdOK"));
        EXPECT_TRUE(box.findChild<QPushButton *>("cmdOK")->isDefault());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    });
    AboutBox::showShared();
    EXPECT_EQ(messages.calls().size(), 1u)
        << "Enter closed the box rather than pressing System Info";
}

// A click sound beside the library and a stand-in player on the PATH that records each file it
// is asked to play, for as long as it lives.
class ClickRecorder {
public:
    ClickRecorder()
        : m_sound(clickSoundPath(GeneralUtility::forThisThread().libraryDirectory())),
          m_savedPath(qgetenv("PATH"))
    {
        if (!QFile::exists(m_sound)) {
            QFile sound(m_sound);
            m_madeSound = sound.open(QIODevice::WriteOnly);
        }
        QFile player(m_folder.filePath("paplay"));
        player.open(QIODevice::WriteOnly);
        player.write("#!/bin/sh\nprintf '%s\\n' \"$1\" >> \"$0.played\"\n");
        player.close();
        player.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", m_folder.path().toLocal8Bit());
    }
    ~ClickRecorder()
    {
        qputenv("PATH", m_savedPath);
        if (m_madeSound)
            QFile::remove(m_sound);
    }

    QString sound() const { return m_sound; }
    bool ready() const { return QFile::exists(m_sound); }

    // The files played so far, waiting up to a few seconds for `expected` of them, as the
    // player runs detached.
    QStringList played(int expected) const
    {
        QStringList files;
        for (int attempt = 0; attempt < 500 && files.size() < expected; ++attempt) {
            QTest::qWait(10);
            QFile record(m_folder.filePath("paplay.played"));
            if (record.open(QIODevice::ReadOnly))
                files = QString::fromLocal8Bit(record.readAll()).split('\n', Qt::SkipEmptyParts);
        }
        return files;
    }

private:
    QTemporaryDir m_folder;
    QString m_sound;
    QByteArray m_savedPath;
    bool m_madeSound = false;
};

TEST(AboutMethod, EveryOpeningPlaysTheClickThatLiesBesideTheLibrary)
{
    ClickRecorder clicks;
    ASSERT_TRUE(clicks.ready()) << clicks.sound().toStdString();
    for (int opening = 0; opening < 2; ++opening) {
        whenAboutBoxOpen([](AboutBox &box) { box.close(); });
        AboutBox::showShared();
    }
    EXPECT_EQ(clicks.played(2), QStringList({clicks.sound(), clicks.sound()}));
}

} // namespace
