#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <gtest/gtest.h>

#include "DialogLabel.h"
#include "DialogTestSupport.h"
#include "PasswordForms.h"
#include "VTButton.h"

// What every one of the nine forms does the same way, whatever its kind and size.
class EntryRoutineTest : public testing::TestWithParam<QString>
{
protected:
    std::unique_ptr<PasswordDialog> form = createPasswordForm(GetParam());
    MessageRecorder messages;
};

namespace {

// The boxes of the form in tab order.
QList<QLineEdit *> boxesOf(QWidget &form)
{
    QList<QLineEdit *> boxes;
    for (const char *name : {"txtOLDPassword", "txtPassword", "txtConfirmation"}) {
        if (QLineEdit *each = box(form, name))
            boxes << each;
    }
    return boxes;
}

void typeIntoEveryBox(QDialog &open, const char *text)
{
    for (QLineEdit *each : boxesOf(open))
        QTest::keyClicks(each, text);
}

} // namespace

TEST_P(EntryRoutineTest, OkWithGoodInputWritesFalseIntoTheCallersCancelled)
{
    Entry entry;
    entry.validation = QStringLiteral("Matching");
    const Outcome outcome = showByName(*form, entry, [](QDialog &open) {
        typeIntoEveryBox(open, "Matching");
        pressOk(open);
    });
    EXPECT_EQ(outcome.text, "Matching");
    EXPECT_EQ(outcome.cancelled, VFalse);
}

TEST_P(EntryRoutineTest, CancelEscAndTheCloseBoxAllReturnNothing)
{
    const std::function<void(QDialog &)> endings[] = {
        [](QDialog &open) { pressCancel(open); },
        [](QDialog &open) { QTest::keyClick(boxesOf(open).front(), Qt::Key_Escape); },
        [](QDialog &open) { open.close(); },
    };
    for (const auto &ending : endings) {
        auto fresh = createPasswordForm(GetParam());
        const Outcome outcome = showByName(*fresh, Entry{}, [&ending](QDialog &open) {
            typeIntoEveryBox(open, "typed");
            ending(open);
        });
        EXPECT_EQ(outcome.text, "");
        EXPECT_EQ(outcome.cancelled, VTrue);
    }
    EXPECT_TRUE(messages.calls().empty());
}

TEST_P(EntryRoutineTest, TitleComesFromTheCallerEvenWhenEmpty)
{
    for (const QString &title : {QStringLiteral("Unlock the archive"), QString()}) {
        Entry entry;
        entry.title = title;
        QString shown = QStringLiteral("not shown");
        showByName(*form, entry, [&shown](QDialog &open) {
            shown = open.windowTitle();
            pressCancel(open);
        });
        EXPECT_EQ(shown, title);
    }
}

TEST_P(EntryRoutineTest, MaxLengthLimitsEveryBoxAndZeroOrLessLeavesThemUnlimited)
{
    Entry entry;
    entry.maxLength = 4;
    showByName(*form, entry, [](QDialog &open) {
        for (QLineEdit *each : boxesOf(open)) {
            QTest::keyClicks(each, "abcdef");
            EXPECT_EQ(each->text(), "abcd") << each->objectName().toStdString();
            each->clear();
            each->insert(QStringLiteral("pasted text")); // as a paste would
            EXPECT_EQ(each->text(), "past");
        }
        pressCancel(open);
    });
    const QString huge(100000, QLatin1Char('x'));
    for (qint32 unlimited : {0, -1}) {
        entry.maxLength = unlimited;
        showByName(*form, entry, [&huge](QDialog &open) {
            for (QLineEdit *each : boxesOf(open)) {
                each->setText(huge);
                EXPECT_EQ(each->text().size(), huge.size());
            }
            pressCancel(open);
        });
    }
}

TEST_P(EntryRoutineTest, ButtonsTakeTheirStyleAndImagesFromTheSettings)
{
    Entry entry;
    entry.active = VTrue;
    entry.useImages = VTrue;
    showByName(*form, entry, [](QDialog &open) {
        auto *ok = open.findChild<VTButton *>("cmdOK");
        auto *cancel = open.findChild<VTButton *>("cmdCancel");
        for (VTButton *button : {ok, cancel}) {
            EXPECT_EQ(button->buttonStyle(), 1);
            EXPECT_TRUE(button->useStateImages());
            EXPECT_FALSE(button->buttonImage().isNull());
            EXPECT_FALSE(button->buttonImageHover().isNull());
            EXPECT_EQ(button->buttonContentSpacing(), 6);
            EXPECT_EQ(button->maskColor(), QColor(255, 0, 255));
        }
        EXPECT_NE(ok->buttonImageHover().toImage(), cancel->buttonImageHover().toImage()); // check and X
        pressCancel(open);
    });
    entry.useImages = VFalse;
    showByName(*form, entry, [](QDialog &open) {
        for (auto *button : open.findChildren<VTButton *>()) {
            EXPECT_EQ(button->buttonStyle(), 1);
            EXPECT_TRUE(button->buttonImage().isNull());
            EXPECT_EQ(button->buttonContentSpacing(), 0);
        }
        pressCancel(open);
    });
}

TEST_P(EntryRoutineTest, OpensCentredWithTheFirstBoxFocusedAndItsTextSelectedOnFocus)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((form->geometry().center() - screen.center()).manhattanLength(), 2);
    showByName(*form, Entry{}, [](QDialog &open) {
        const QList<QLineEdit *> boxes = boxesOf(open);
        EXPECT_EQ(QApplication::focusWidget(), boxes.front());
        QTest::keyClicks(boxes.back(), "some text");
        boxes.back()->setCursorPosition(2);
        open.findChild<QWidget *>("cmdOK")->setFocus();
        boxes.back()->setFocus();
        EXPECT_EQ(boxes.back()->selectedText(), "some text");
        pressCancel(open);
    });
}

TEST_P(EntryRoutineTest, EachLabelsAccessKeyMovesIntoItsBox)
{
    showByName(*form, Entry{}, [](QDialog &open) {
        open.findChild<QWidget *>("cmdCancel")->setFocus();
        for (DialogLabel *label : open.findChildren<DialogLabel *>("GenericLabel")) {
            const QKeySequence mnemonic = QKeySequence::mnemonic(label->text());
            QTest::keySequence(&open, mnemonic);
            EXPECT_EQ(QApplication::focusWidget(), label->buddy()) << label->text().toStdString();
        }
        pressCancel(open);
    });
}

INSTANTIATE_TEST_SUITE_P(AllNineForms, EntryRoutineTest, testing::ValuesIn(passwordFormNames()),
                         [](const testing::TestParamInfo<QString> &info) { return info.param.toStdString(); });
