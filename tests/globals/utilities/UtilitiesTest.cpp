#include <QDialog>
#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QLineEdit>
#include <QScreen>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

#include "globals/utilities/ApplicationFont.h"
#include "globals/utilities/FormUtility.h"
#include "globals/utilities/GeneralUtility.h"
#include "globals/utilities/SoundUtility.h"
#include "globals/utilities/TextBoxUtility.h"
#include "platform/ui/Shell.h"

namespace {

TEST(FormUtility, CentresTheFormOnTheScreen)
{
    QDialog form;
    form.setFixedSize(244, 95);
    form.move(0, 0);
    FormUtility::forThisThread().centreOnScreen(form);
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_EQ(form.size(), QSize(244, 95));
    EXPECT_LE((form.geometry().center() - screen.center()).manhattanLength(), 1);
}

// A minimal system with only the Liberation fonts resolves "Sans Serif" to Liberation Mono:
// the application then draws in Liberation Sans, at the same size; a proportional default
// font is kept.
TEST(ApplicationFont, AFixedPitchDefaultGetsAProportionalStandInOfTheSameSize)
{
    QFont mono("Liberation Mono", 9);
    ASSERT_TRUE(QFontInfo(mono).fixedPitch());
    const std::optional<QFont> standIn = proportionalStandIn(mono);
    ASSERT_TRUE(standIn);
    EXPECT_FALSE(QFontInfo(*standIn).fixedPitch());
    EXPECT_EQ(QFontInfo(*standIn).family(), "Liberation Sans");
    EXPECT_EQ(standIn->pointSize(), 9);
    EXPECT_FALSE(proportionalStandIn(QFont("Liberation Sans", 9)));
}

TEST(TextBoxUtility, SelectsTheWholeTextSoTypingReplacesIt)
{
    QLineEdit box;
    box.setText(QStringLiteral("old entry"));
    box.setCursorPosition(3);
    TextBoxUtility::forThisThread().selectWholeText(box);
    EXPECT_EQ(box.selectedText(), "old entry");
    QTest::keyClicks(&box, "new");
    EXPECT_EQ(box.text(), "new");

    box.clear();
    TextBoxUtility::forThisThread().selectWholeText(box); // an empty box is fine too
    EXPECT_FALSE(box.hasSelectedText());
}

TEST(GeneralUtility, OpensAnAddressThroughTheShell)
{
    std::vector<platform::ShellCall> calls;
    platform::setShellHandler([&calls](const platform::ShellCall &call) {
        calls.push_back(call);
        return true;
    });
    const bool opened =
        GeneralUtility::forThisThread().openAddress(QStringLiteral("https://example.org/"));
    platform::setShellHandler({});
    EXPECT_TRUE(opened);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls.front().action, platform::ShellAction::Execute);
    EXPECT_EQ(calls.front().path, "https://example.org/");
}

TEST(GeneralUtility, LibraryDirectoryHoldsTheLibraryAndColoursAreCounted)
{
    const QDir directory(GeneralUtility::forThisThread().libraryDirectory());
    EXPECT_TRUE(directory.exists());
    EXPECT_FALSE(
        directory.entryList({QStringLiteral("libVantrelGlobals.so*")}, QDir::Files).isEmpty())
        << directory.path().toStdString();
    const double colours = GeneralUtility::forThisThread().colourCount();
    EXPECT_EQ(colours, std::exp2(QGuiApplication::primaryScreen()->depth()));
    EXPECT_GE(colours, 2.0);
}

class SoundUtilityTest : public testing::Test {
protected:
    // A stand-in player on the PATH that records the file it was asked to play.
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        savedPath = qgetenv("PATH");
        const QString player = folder.filePath(QStringLiteral("paplay"));
        QFile script(player);
        ASSERT_TRUE(script.open(QIODevice::WriteOnly));
        script.write("#!/bin/sh\nprintf '%s' \"$1\" > \"$0.played.tmp\" && /bin/mv "
                     "\"$0.played.tmp\" \"$0.played\"\n");
        script.close();
        script.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        qputenv("PATH", folder.path().toLocal8Bit());
    }
    void TearDown() override { qputenv("PATH", savedPath); }

    QTemporaryDir folder;
    QByteArray savedPath;
};

TEST_F(SoundUtilityTest, PlaysAnExistingFileAndNothingElse)
{
    EXPECT_FALSE(SoundUtility::forThisThread().play(folder.filePath(QStringLiteral("absent.wav"))));
    EXPECT_FALSE(SoundUtility::forThisThread().play(folder.path())); // a folder is not a sound

    const QString sound = folder.filePath(QStringLiteral("click sound.wav"));
    QFile(sound).open(QIODevice::WriteOnly);
    ASSERT_TRUE(SoundUtility::forThisThread().play(sound));
    // The player runs detached; wait for it to have recorded its argument.
    const QString record = folder.filePath(QStringLiteral("paplay.played"));
    for (int attempt = 0; attempt < 500 && !QFile::exists(record); ++attempt)
        QTest::qWait(10);
    QFile played(record);
    ASSERT_TRUE(played.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromLocal8Bit(played.readAll()), sound);

    qputenv("PATH", "/nonexistent"); // no player at all
    EXPECT_FALSE(SoundUtility::forThisThread().play(sound));
}

} // namespace
