#include "button/VTButton.h"
#include "button/VTButtonLW.h"

#include <QEnterEvent>
#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>
#include <gtest/gtest.h>

namespace {
QPixmap filled(const QColor &colour, int size = 16)
{
    QPixmap pixmap(size, size);
    pixmap.fill(colour);
    return pixmap;
}

QColor centreOf(const QPixmap &pixmap)
{
    return pixmap.toImage().pixelColor(pixmap.width() / 2, pixmap.height() / 2);
}

void pointAt(QWidget &button)
{
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(&button, &enter);
}

void pointAway(QWidget &button)
{
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(&button, &leave);
}
} // namespace

TEST(VTButton, PropertiesSetByNameAreKeptAndCaptionIsTheText)
{
    VTButton button;
    EXPECT_TRUE(button.setProperty("Caption", "&OK"));
    EXPECT_EQ(button.text(), "&OK");
    EXPECT_TRUE(button.setProperty("ButtonStyle", 1));
    EXPECT_TRUE(button.setProperty("ButtonImage", filled(Qt::gray)));
    EXPECT_TRUE(button.setProperty("ButtonImageHover", filled(Qt::green)));
    EXPECT_TRUE(button.setProperty("ButtonImageDown", filled(Qt::red)));
    EXPECT_TRUE(button.setProperty("UseStateImages", true));
    EXPECT_TRUE(button.setProperty("ButtonContentSpacing", QVariant::fromValue<qint16>(6)));
    EXPECT_TRUE(button.setProperty("maskcolor", QColor(255, 0, 255)));

    EXPECT_EQ(button.property("ButtonStyle").toInt(), 1);
    EXPECT_EQ(centreOf(button.property("ButtonImageHover").value<QPixmap>()), QColor(Qt::green));
    EXPECT_TRUE(button.property("UseStateImages").toBool());
    EXPECT_EQ(button.property("ButtonContentSpacing").value<qint16>(), 6);
    EXPECT_EQ(button.property("maskcolor").value<QColor>(), QColor(255, 0, 255));
    EXPECT_EQ(button.property("Caption").toString(), "&OK");
    // A null picture means "no image".
    EXPECT_TRUE(button.setProperty("ButtonImageDown", QPixmap()));
    EXPECT_TRUE(button.buttonImageDown().isNull());
}

TEST(VTButton, ShownImageFollowsPointerAndPressWithStateImages)
{
    VTButton button("&Go");
    button.setButtonImage(filled(Qt::gray));
    button.setButtonImageHover(filled(Qt::green));
    button.setButtonImageDown(filled(Qt::red));

    pointAt(button);
    EXPECT_EQ(centreOf(button.currentImage()), QColor(Qt::gray)) << "state images are off";
    button.setUseStateImages(true);
    EXPECT_EQ(centreOf(button.currentImage()), QColor(Qt::green));
    button.setDown(true);
    EXPECT_EQ(centreOf(button.currentImage()), QColor(Qt::red));
    button.setDown(false);
    pointAway(button);
    EXPECT_EQ(centreOf(button.currentImage()), QColor(Qt::gray));

    // A missing down image falls back to the hover image, a missing hover image to rest.
    button.setButtonImageDown(QPixmap());
    pointAt(button);
    button.setDown(true);
    EXPECT_EQ(centreOf(button.currentImage()), QColor(Qt::green));
    button.setButtonImageHover(QPixmap());
    EXPECT_EQ(centreOf(button.currentImage()), QColor(Qt::gray));
    button.setButtonImageHover(filled(Qt::green));
    button.setDown(false);

    button.setEnabled(false);
    EXPECT_EQ(centreOf(button.currentImage()), QColor(Qt::gray)) << "a disabled button rests";
}

TEST(VTButton, ExactlyTheMaskColourIsShownTransparentAndTheStoredImageKeepsIt)
{
    QImage source(3, 1, QImage::Format_RGB32);
    source.setPixelColor(0, 0, QColor(255, 0, 255));
    source.setPixelColor(1, 0, QColor(254, 0, 255));
    source.setPixelColor(2, 0, QColor(0, 128, 0));
    VTButton button;
    button.setButtonImage(QPixmap::fromImage(source));
    button.setMaskColor(QColor(255, 0, 255));
    const QImage shown = button.currentImage().toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(shown.pixel(0, 0)), 0);
    EXPECT_EQ(shown.pixelColor(1, 0), QColor(254, 0, 255));
    EXPECT_EQ(shown.pixelColor(2, 0), QColor(0, 128, 0));
    EXPECT_EQ(button.buttonImage().toImage().pixelColor(0, 0), QColor(255, 0, 255));

    // Setting the mask before the image works as well; no mask colour leaves the image as is.
    VTButton other;
    other.setMaskColor(Qt::blue);
    other.setButtonImage(filled(Qt::blue));
    EXPECT_EQ(qAlpha(other.currentImage().toImage().pixel(3, 3)), 0);
    other.setMaskColor(QColor());
    EXPECT_EQ(centreOf(other.currentImage()), QColor(Qt::blue));
}

TEST(VTButton, AccessKeyAndMouseClickRaiseClickedOnlyWhenEnabled)
{
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *button = new VTButton("E&xit");
    auto *light = new VTButtonLW("&Help");
    layout->addWidget(button);
    layout->addWidget(light);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QSignalSpy clicks(button, &QAbstractButton::clicked);
    QSignalSpy lightClicks(light, &QAbstractButton::clicked);

    // An access key presses the button at once and raises the click shortly after.
    QTest::keyClick(window.windowHandle(), Qt::Key_X, Qt::AltModifier);
    EXPECT_TRUE(button->isDown());
    ASSERT_TRUE(clicks.wait());
    QTest::keyClick(window.windowHandle(), Qt::Key_H, Qt::AltModifier);
    ASSERT_TRUE(lightClicks.wait());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 2);
    EXPECT_EQ(lightClicks.count(), 1);

    button->setEnabled(false);
    QTest::keyClick(window.windowHandle(), Qt::Key_X, Qt::AltModifier);
    EXPECT_FALSE(button->isDown());
    QTest::mouseClick(button, Qt::LeftButton);
    EXPECT_EQ(clicks.count(), 2);
}

TEST(VTButton, SizeMakesRoomForImageSpacingAndCaption)
{
    VTButton button("Caption");
    const int textOnly = button.sizeHint().width();
    button.setButtonImage(filled(Qt::gray, 16));
    button.setButtonContentSpacing(0);
    const int withImage = button.sizeHint().width();
    button.setButtonContentSpacing(10);
    EXPECT_EQ(withImage, textOnly + 16);
    EXPECT_EQ(button.sizeHint().width(), withImage + 10);
    EXPECT_GE(button.sizeHint().height(), 16);
}

TEST(VTButton, ActiveStyleIsFlatUntilPointedAtInBothLooks)
{
    QWidget window;
    window.setAutoFillBackground(true);
    QPalette colours = window.palette();
    colours.setColor(QPalette::Window, QColor(10, 200, 10));
    colours.setColor(QPalette::Button, QColor(200, 200, 200));
    window.setPalette(colours);
    auto *standard = new VTButton(&window);
    VTButton *light = new VTButtonLW(&window);
    standard->setGeometry(0, 0, 80, 30);
    light->setGeometry(0, 40, 80, 30);
    window.resize(100, 80);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    // The pointer may rest over a button when the window appears.
    pointAway(*standard);
    pointAway(*light);

    // Samples a pixel near the left edge of the button face, where no caption is drawn.
    auto faceColour = [&](QWidget *button) {
        return window.grab().toImage().pixelColor(button->x() + 6, button->y() + 15);
    };
    for (VTButton *button : {standard, light}) {
        button->setButtonStyle(VTButton::ActiveStyle);
        EXPECT_EQ(faceColour(button), QColor(10, 200, 10)) << button->metaObject()->className();
        pointAt(*button);
        EXPECT_NE(faceColour(button), QColor(10, 200, 10)) << button->metaObject()->className();
        pointAway(*button);
        button->setButtonStyle(VTButton::StandardStyle);
        EXPECT_NE(faceColour(button), QColor(10, 200, 10)) << button->metaObject()->className();
    }
}
