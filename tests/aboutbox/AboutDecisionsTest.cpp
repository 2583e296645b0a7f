// What the About box decides without a window: picture, version line, sound path, link look.
#include <gtest/gtest.h>

#include "password/AboutLoadSteps.h"
#include "password/WebLinkHover.h"

namespace {

TEST(AboutLoadSteps, OnlyMoreThan256ColoursSelectTheRicherPicture)
{
    EXPECT_EQ(sidePictureFor(0), SidePicture::SixteenColours);
    EXPECT_EQ(sidePictureFor(16), SidePicture::SixteenColours);
    EXPECT_EQ(sidePictureFor(256), SidePicture::SixteenColours);
    EXPECT_EQ(sidePictureFor(256.5), SidePicture::TwoHundredFiftySixColours);
    EXPECT_EQ(sidePictureFor(16777216), SidePicture::TwoHundredFiftySixColours);
}

TEST(AboutLoadSteps, VersionLineShowsMajorMinorAndRevisionUnpadded)
{
    EXPECT_EQ(versionLine("3.5.0.47"), "Version 3.5.47");
    EXPECT_EQ(versionLine("10.05.9.0300"), "Version 10.5.300");
    EXPECT_EQ(versionLine("3.5"), "Version 3.5.0");
}

TEST(AboutLoadSteps, ClickSoundLiesInTheDirectoryWithOneSeparator)
{
    EXPECT_EQ(clickSoundPath("/usr/lib/vantrel"), "/usr/lib/vantrel/VantrelClickz.wav");
    EXPECT_EQ(clickSoundPath("/usr/lib/vantrel/"), "/usr/lib/vantrel/VantrelClickz.wav");
    EXPECT_EQ(clickSoundPath("/"), "/VantrelClickz.wav");
    // No directory means no sound, rather than a file in the current folder.
    EXPECT_EQ(clickSoundPath(""), "");
}

const char *const resettingControls[] = {
    "",         "cmdOK",        "cmdSysInfo",     "lblActiveX",
    "lblBeta",  "lblCopyright", "lblDescription", "lblDisclaimer",
    "lblTitle", "lblVersion",   "picIcon",        "picIcon256"};

TEST(WebLinkHover, LinkHighlightsAndEveryOtherPlaceButTheSecondRightsLineRestoresIt)
{
    const LinkLook normal{QColor(0, 0, 128), false};
    const LinkLook highlighted{QColor(0, 0, 255), true};
    EXPECT_EQ(LinkLook::normal(), normal);
    EXPECT_EQ(LinkLook::highlighted(), highlighted);

    EXPECT_EQ(lookAfterPointerMove(normal, "lblWebLink"), highlighted);
    EXPECT_EQ(lookAfterPointerMove(highlighted, "lblWebLink"), highlighted);
    EXPECT_EQ(lookAfterPointerMove(highlighted, "lblCopyright2"), highlighted);
    EXPECT_EQ(lookAfterPointerMove(normal, "lblCopyright2"), normal);
    for (const char *control : resettingControls) {
        EXPECT_EQ(lookAfterPointerMove(highlighted, control), normal) << control;
        EXPECT_EQ(lookAfterPointerMove(normal, control), normal) << control;
    }
}

} // namespace
