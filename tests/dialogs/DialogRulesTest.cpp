#include <QLocale>
#include <gtest/gtest.h>

#include "button/VTButton.h"
#include "password/dialogs/ButtonAppearance.h"
#include "password/dialogs/LengthRule.h"
#include "password/dialogs/PasswordMatch.h"
#include "tests/support/ModalDriver.h"

namespace {

TEST(LengthRule, MessagesCarryTheLimitAsPlainDigits)
{
    const auto oldShort = lengthMessage(EntryRole::OldPassword, 5, 6, 0);
    ASSERT_TRUE(oldShort);
    EXPECT_EQ(oldShort->title, "Old Password Too Short");
    EXPECT_EQ(oldShort->text,
              "The old password you entered is too short.  The password must be at least 6 long.");
    const auto confirmationLong = lengthMessage(EntryRole::Confirmation, 1001, 0, 1000);
    ASSERT_TRUE(confirmationLong);
    EXPECT_EQ(confirmationLong->title, "Confirmation Password Too Long");
    EXPECT_EQ(confirmationLong->text, "The confirmation password you entered is too long.  The "
                                      "password must be at most 1000 long.");
}

TEST(LengthRule, BoundsAreInclusiveAndOnlyAPositiveMaximumLimits)
{
    EXPECT_FALSE(lengthMessage(EntryRole::Password, 4, 4, 4));
    EXPECT_FALSE(lengthMessage(EntryRole::Password, 0, 0, 0));
    EXPECT_FALSE(lengthMessage(EntryRole::Password, 100000, -3, -1));
    // A minimum above the maximum: too short comes first, so every length fails.
    for (int length : {0, 5, 7, 9}) {
        const auto message = lengthMessage(EntryRole::Password, length, 8, 5);
        ASSERT_TRUE(message);
        EXPECT_EQ(message->title, length < 8 ? "Password Too Short" : "Password Too Long");
    }
}

TEST(PasswordMatch, CaseRuleFollowsTheLocale)
{
    EXPECT_FALSE(passwordsMatch("Secret", "SECRET", true));
    EXPECT_TRUE(passwordsMatch("Secret", "SECRET", false));
    EXPECT_TRUE(
        passwordsMatch("gr\u00fc\u00dfe", "GR\u00dcSSE", false)); // upper-casing may lengthen
    EXPECT_FALSE(passwordsMatch("Secret", "Secret ", false));
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    const bool dotted = passwordsMatch("istanbul", "\u0130STANBUL", false);
    const bool dotless = passwordsMatch("istanbul", "ISTANBUL", false);
    QLocale::setDefault(previous);
    EXPECT_TRUE(dotted);
    EXPECT_FALSE(dotless);
}

TEST(ButtonAppearance, ActiveButtonsRestGreyAndLightUpInColourStandardOnesAlwaysShowColour)
{
    const struct {
        bool active, useImages;
        ButtonAppearance expected;
    } table[] = {
        {true, true, {1, "GRAY", "COLOR", "COLOR", true, 6}},
        {false, true, {0, "COLOR", "", "", false, 6}},
        {true, false, {1, "", "", "", std::nullopt, 0}},
        {false, false, {0, "", "", "", std::nullopt, 0}},
    };
    for (const auto &row : table) {
        const ButtonAppearance got = buttonAppearance(row.active, row.useImages, "COLOR", "GRAY");
        const ButtonAppearance &want = row.expected;
        EXPECT_EQ(std::tuple(got.style, got.image, got.hoverImage, got.downImage,
                             got.useStateImages, got.contentSpacing),
                  std::tuple(want.style, want.image, want.hoverImage, want.downImage,
                             want.useStateImages, want.contentSpacing))
            << "active " << row.active << ", images " << row.useImages;
    }
}

TEST(ButtonAppearance, ImagesOffClearTheImagesAndAMissingBitmapIsSkipped)
{
    VTButton button;
    applyButtonImages(button, buttonAppearance(true, true, "BTN_X_COLOR", "BTN_X_GRAY"));
    applyButtonImages(button, buttonAppearance(false, false, "BTN_X_COLOR", "BTN_X_GRAY"));
    EXPECT_TRUE(button.buttonImage().isNull() && button.buttonImageHover().isNull() &&
                button.buttonImageDown().isNull());
    EXPECT_TRUE(button.useStateImages()); // left as it was
    EXPECT_EQ(button.buttonContentSpacing(), 0);

    applyButtonImages(button, buttonAppearance(false, true, "BTN_X_COLOR", "BTN_X_GRAY"));
    const QImage colour = button.buttonImage().toImage();
    EXPECT_EQ(colour.size(), QSize(16, 16));
    applyButtonImages(button, buttonAppearance(true, true, "NO_SUCH_COLOUR", "NO_SUCH_GRAY"));
    EXPECT_EQ(button.buttonImage().toImage(), colour);
    EXPECT_TRUE(button.useStateImages());
    EXPECT_EQ(button.buttonContentSpacing(), 6);
}

} // namespace
