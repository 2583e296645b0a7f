#include "ButtonImages.h"

#include <QImage>
#include <QPainter>
#include <gtest/gtest.h>

namespace {
QPixmap filled(const QColor &colour)
{
    QPixmap pixmap(4, 4);
    pixmap.fill(colour);
    return pixmap;
}
} // namespace

TEST(ButtonImages, StateFollowsEnabledPressAndHover)
{
    EXPECT_EQ(buttonStateFor(true, false, false), ButtonState::Rest);
    EXPECT_EQ(buttonStateFor(true, true, false), ButtonState::Hover);
    EXPECT_EQ(buttonStateFor(true, true, true), ButtonState::Down);
    EXPECT_EQ(buttonStateFor(true, false, true), ButtonState::Down);
    EXPECT_EQ(buttonStateFor(false, true, true), ButtonState::Rest);
}

TEST(ButtonImages, StateImagesReplaceTheRestingImageOnlyWhenSwitchedOn)
{
    const ButtonImages all{filled(Qt::gray), filled(Qt::green), filled(Qt::red)};
    auto colourOf = [](const QPixmap &p) { return p.toImage().pixelColor(0, 0); };

    for (ButtonState state : {ButtonState::Rest, ButtonState::Hover, ButtonState::Down})
        EXPECT_EQ(colourOf(imageFor(all, false, state)), QColor(Qt::gray));
    EXPECT_EQ(colourOf(imageFor(all, true, ButtonState::Rest)), QColor(Qt::gray));
    EXPECT_EQ(colourOf(imageFor(all, true, ButtonState::Hover)), QColor(Qt::green));
    EXPECT_EQ(colourOf(imageFor(all, true, ButtonState::Down)), QColor(Qt::red));

    // A missing down image falls back to the hover image, a missing hover image to rest.
    const ButtonImages noDown{filled(Qt::gray), filled(Qt::green), QPixmap()};
    EXPECT_EQ(colourOf(imageFor(noDown, true, ButtonState::Down)), QColor(Qt::green));
    const ButtonImages restOnly{filled(Qt::gray), QPixmap(), QPixmap()};
    EXPECT_EQ(colourOf(imageFor(restOnly, true, ButtonState::Down)), QColor(Qt::gray));
    EXPECT_TRUE(imageFor(ButtonImages{}, true, ButtonState::Hover).isNull());
}

TEST(ButtonImages, MaskColourBecomesTransparentAndNothingElse)
{
    QImage source(3, 1, QImage::Format_RGB32);
    source.setPixelColor(0, 0, QColor(255, 0, 255));
    source.setPixelColor(1, 0, QColor(254, 0, 255));
    source.setPixelColor(2, 0, QColor(0, 128, 0));
    const QImage masked =
        withMaskColor(QPixmap::fromImage(source), QColor(255, 0, 255)).toImage().convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(qAlpha(masked.pixel(0, 0)), 0);
    EXPECT_EQ(masked.pixelColor(1, 0), QColor(254, 0, 255));
    EXPECT_EQ(masked.pixelColor(2, 0), QColor(0, 128, 0));

    const QImage untouched = withMaskColor(QPixmap::fromImage(source), QColor()).toImage();
    EXPECT_EQ(untouched.pixelColor(0, 0), QColor(255, 0, 255));
    EXPECT_TRUE(withMaskColor(QPixmap(), Qt::red).isNull());
}
