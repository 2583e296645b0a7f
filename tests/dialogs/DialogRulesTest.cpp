#include <QLocale>
#include <gtest/gtest.h>

#include "ButtonAppearance.h"
#include "LengthRule.h"
#include "PasswordMatch.h"
#include "VTButton.h"

namespace {

TEST(LengthRule, MessagesCarryTheLimitAsPlainDigits)
{
    const auto oldShort = lengthMessage(EntryRole::OldPassword, 5, 6, 0);
    ASSERT_TRUE(oldShort);
    EXPECT_EQ(oldShort->title, "Old Password Too Short");
    EXPECT_EQ(oldShort->text,
              "The old password you entered is too short.  The password must be at least 6 long.");

    const auto confirmationLong = lengthMessage(EntryRole::Confirmation, 13, 0, 12);
    ASSERT_TRUE(confirmationLong);
    EXPECT_EQ(confirmationLong->title, "Confirmation Password Too Long");
    EXPECT_EQ(confirmationLong->text,
              "The confirmation password you entered is too long.  The password must be at most 12 long.");

    const auto passwordShort = lengthMessage(EntryRole::Password, 0, 1000, 0);
    ASSERT_TRUE(passwordShort);
    EXPECT_EQ(passwordShort->title, "Password Too Short");
    EXPECT_EQ(passwordShort->text,
              "The password you entered is too short.  The password must be at least 1000 long.");

    const auto passwordLong = lengthMessage(EntryRole::Password, 9, 2, 8);
    ASSERT_TRUE(passwordLong);
    EXPECT_EQ(passwordLong->title, "Password Too Long");
    EXPECT_EQ(passwordLong->text, "The password you entered is too long.  The password must be at most 8 long.");
}

TEST(LengthRule, BoundsAreInclusiveAndOnlyAPositiveMaximumLimits)
{
    EXPECT_FALSE(lengthMessage(EntryRole::Password, 4, 4, 4));
    EXPECT_FALSE(lengthMessage(EntryRole::Password, 0, 0, 0));
    EXPECT_FALSE(lengthMessage(EntryRole::Password, 100000, 0, 0));
    EXPECT_FALSE(lengthMessage(EntryRole::Password, 100000, -3, -1));
    EXPECT_TRUE(lengthMessage(EntryRole::Password, 3, 4, 0));
    EXPECT_TRUE(lengthMessage(EntryRole::Password, 5, 0, 4));
    // A minimum above the maximum: too short is checked first, so every length fails.
    for (int length : {0, 3, 5, 9}) {
        const auto message = lengthMessage(EntryRole::Password, length, 8, 5);
        ASSERT_TRUE(message);
        EXPECT_EQ(message->title, length < 8 ? "Password Too Short" : "Password Too Long");
    }
}

TEST(PasswordMatch, CaseRuleBothWays)
{
    EXPECT_TRUE(passwordsMatch("Secret", "Secret", true));
    EXPECT_FALSE(passwordsMatch("Secret", "SECRET", true));
    EXPECT_TRUE(passwordsMatch("Secret", "SECRET", false));
    EXPECT_TRUE(passwordsMatch("gr\u00fc\u00dfe", "GR\u00dcSSE", false)); // upper-casing may lengthen
    EXPECT_FALSE(passwordsMatch("Secret", "Secret ", false));
    EXPECT_TRUE(passwordsMatch("", "", true));
}

TEST(PasswordMatch, IgnoringCaseFollowsTheLocale)
{
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::Turkish, QLocale::Turkey));
    const bool dottedMatches = passwordsMatch("istanbul", "\u0130STANBUL", false);
    const bool dotlessMatches = passwordsMatch("istanbul", "ISTANBUL", false);
    QLocale::setDefault(previous);
    EXPECT_TRUE(dottedMatches);
    EXPECT_FALSE(dotlessMatches);
    EXPECT_TRUE(passwordsMatch("istanbul", "ISTANBUL", false));
}

TEST(ButtonAppearance, ChosenFromActiveAndImages)
{
    const auto activeImages = buttonAppearance(true, true, "COLOUR", "GRAY");
    EXPECT_EQ(activeImages.style, 1);
    EXPECT_EQ(activeImages.image, "GRAY");
    EXPECT_EQ(activeImages.hoverImage, "COLOUR");
    EXPECT_EQ(activeImages.downImage, "COLOUR");
    EXPECT_EQ(activeImages.useStateImages, true);
    EXPECT_EQ(activeImages.contentSpacing, 6);

    const auto standardImages = buttonAppearance(false, true, "COLOUR", "GRAY");
    EXPECT_EQ(standardImages.style, 0);
    EXPECT_EQ(standardImages.image, "COLOUR");
    EXPECT_TRUE(standardImages.hoverImage.isEmpty());
    EXPECT_TRUE(standardImages.downImage.isEmpty());
    EXPECT_EQ(standardImages.useStateImages, false);
    EXPECT_EQ(standardImages.contentSpacing, 6);

    for (bool active : {true, false}) {
        const auto plain = buttonAppearance(active, false, "COLOUR", "GRAY");
        EXPECT_EQ(plain.style, active ? 1 : 0);
        EXPECT_TRUE(plain.image.isEmpty() && plain.hoverImage.isEmpty() && plain.downImage.isEmpty());
        EXPECT_FALSE(plain.useStateImages.has_value());
        EXPECT_EQ(plain.contentSpacing, 0);
    }
}

TEST(ButtonAppearance, ImagesAreLoadedByNameAndAMissingOneIsSkipped)
{
    VTButton button;
    applyButtonImages(button, buttonAppearance(true, true, "BTN_X_COLOR", "BTN_X_GRAY"));
    EXPECT_EQ(button.buttonImage().size(), QSize(16, 16));
    EXPECT_FALSE(button.buttonImageHover().isNull());
    EXPECT_NE(button.buttonImage().toImage(), button.buttonImageHover().toImage());
    EXPECT_TRUE(button.useStateImages());

    // Images off: all cleared, the state-image switch left as it was.
    applyButtonImages(button, buttonAppearance(false, false, "BTN_X_COLOR", "BTN_X_GRAY"));
    EXPECT_TRUE(button.buttonImage().isNull() && button.buttonImageHover().isNull() && button.buttonImageDown().isNull());
    EXPECT_TRUE(button.useStateImages());
    EXPECT_EQ(button.buttonContentSpacing(), 0);

    // A bitmap that cannot be loaded keeps what the button had; the other steps still apply.
    applyButtonImages(button, buttonAppearance(false, true, "BTN_X_COLOR", "BTN_X_GRAY"));
    const QImage colour = button.buttonImage().toImage();
    applyButtonImages(button, buttonAppearance(true, true, "NO_SUCH_COLOUR", "NO_SUCH_GRAY"));
    EXPECT_EQ(button.buttonImage().toImage(), colour);
    EXPECT_TRUE(button.useStateImages());
    EXPECT_EQ(button.buttonContentSpacing(), 6);
}

} // namespace
