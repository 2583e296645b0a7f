#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QWindow>
#include <gtest/gtest.h>

#include "button/VTButton.h"
#include "password/LibraryBitmaps.h"
#include "password/dialogs/DialogLabel.h"
#include "password/dialogs/PasswordForms.h"
#include "tests/dialogs/DialogTestSupport.h"

// What every one of the nine forms does the same way, whatever its kind and size.
class EntryRoutineTest : public testing::TestWithParam<QString> {
protected:
    std::unique_ptr<PasswordDialog> form = createPasswordForm(GetParam());
    MessageRecorder messages;
};

namespace {

QList<QLineEdit *> boxesInTabOrder(QWidget &form)
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
    for (QLineEdit *each : boxesInTabOrder(open))
        QTest::keyClicks(each, text);
}

} // namespace

TEST_P(EntryRoutineTest, EnterAcceptsAndWritesFalseIntoTheCallersCancelled)
{
    Entry entry;
    entry.validation = QStringLiteral("Matching");
    const Outcome outcome = showByName(*form, entry, [](QDialog &open) {
        typeIntoEveryBox(open, "Matching");
        QTest::keyClick(boxesInTabOrder(open).front(), Qt::Key_Return);
    });
    EXPECT_EQ(outcome.text, "Matching");
    EXPECT_EQ(outcome.cancelled, VFalse);
}

TEST_P(EntryRoutineTest, CancelEscAndTheCloseBoxReturnNothingAndWriteTrue)
{
    const std::function<void(QDialog &)> endings[] = {
        [](QDialog &open) { pressCancel(open); },
        [](QDialog &open) { QTest::keyClick(boxesInTabOrder(open).back(), Qt::Key_Escape); },
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

TEST_P(EntryRoutineTest, MaxLengthLimitsEveryBoxAndZeroOrLessLeavesThemUnlimited)
{
    Entry entry;
    entry.maxLength = 4;
    showByName(*form, entry, [](QDialog &open) {
        for (QLineEdit *each : boxesInTabOrder(open)) {
            QTest::keyClicks(each, "abcdef");
            each->insert(QStringLiteral("pasted")); // as a paste would
            EXPECT_EQ(each->text(), "abcd") << each->objectName().toStdString();
        }
        pressCancel(open);
    });
    const QString huge(100000, QLatin1Char('x'));
    for (qint32 unlimited : {0, -1}) {
        entry.maxLength = unlimited;
        showByName(*form, entry, [&huge](QDialog &open) {
            for (QLineEdit *each : boxesInTabOrder(open)) {
                each->setText(huge);
                EXPECT_EQ(each->text().size(), huge.size());
            }
            pressCancel(open);
        });
    }
}

TEST_P(EntryRoutineTest, AnEmptyTitleShowsAnEmptyTitleBarAndTheNextTitleReplacesIt)
{
    Entry entry;
    entry.title = QString();
    showByName(*form, entry, [](QDialog &open) {
        EXPECT_EQ(open.windowTitle(), ""); // the caller's title, not the design title
        // The window system is handed a title it shows as nothing, not an empty one that it
        // would fill with the application's name.
        const QString shown = open.windowHandle()->title();
        EXPECT_FALSE(shown.isEmpty());
        EXPECT_TRUE(shown.trimmed().isEmpty());
        pressCancel(open);
    });
    entry.title = QStringLiteral("Vault");
    showByName(*form, entry, [](QDialog &open) {
        EXPECT_EQ(open.windowHandle()->title(), "Vault");
        pressCancel(open);
    });
}

TEST_P(EntryRoutineTest, ActiveButtonsWithImagesShowGrayAtRestAndTheirOwnColourOnHover)
{
    Entry entry;
    entry.active = VTrue;
    showByName(*form, entry, [](QDialog &open) {
        auto *ok = open.findChild<VTButton *>("cmdOK");
        auto *cancel = open.findChild<VTButton *>("cmdCancel");
        for (VTButton *button : {ok, cancel}) {
            EXPECT_EQ(button->buttonStyle(), 1);
            EXPECT_TRUE(button->useStateImages());
            EXPECT_EQ(button->maskColor(), QColor(255, 0, 255));
        }
        const auto bitmap = [](const char *name) { return loadLibraryBitmap(name).toImage(); };
        EXPECT_EQ(ok->buttonImage().toImage(), bitmap("BTN_CHECK_GRAY"));
        EXPECT_EQ(ok->buttonImageHover().toImage(), bitmap("BTN_CHECK_COLOR"));
        EXPECT_EQ(ok->buttonImageDown().toImage(), bitmap("BTN_CHECK_COLOR"));
        EXPECT_EQ(cancel->buttonImage().toImage(), bitmap("BTN_X_GRAY"));
        EXPECT_EQ(cancel->buttonImageHover().toImage(), bitmap("BTN_X_COLOR"));
        EXPECT_EQ(cancel->buttonImageDown().toImage(), bitmap("BTN_X_COLOR"));
        pressCancel(open);
    });
}

TEST_P(EntryRoutineTest, OpensCentredWithTheFirstBoxFocusedAndSelectsABoxsTextOnFocus)
{
    const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_LE((form->geometry().center() - screen.center()).manhattanLength(), 2);
    showByName(*form, Entry{}, [](QDialog &open) {
        const QList<QLineEdit *> boxes = boxesInTabOrder(open);
        EXPECT_EQ(QApplication::focusWidget(), boxes.front());
        QTest::keyClicks(boxes.back(), "some text");
        open.findChild<QWidget *>("cmdOK")->setFocus();
        boxes.back()->setFocus();
        EXPECT_EQ(boxes.back()->selectedText(), "some text");
        // Each label's access key moves into the box it labels.
        for (DialogLabel *label : open.findChildren<DialogLabel *>("GenericLabel")) {
            open.findChild<QWidget *>("cmdCancel")->setFocus();
            QTest::keySequence(&open, QKeySequence::mnemonic(label->text()));
            EXPECT_EQ(QApplication::focusWidget(), label->buddy()) << label->text().toStdString();
        }
        pressCancel(open);
    });
}

INSTANTIATE_TEST_SUITE_P(AllNineForms, EntryRoutineTest, testing::ValuesIn(passwordFormNames()),
                         [](const testing::TestParamInfo<QString> &info) {
                             return info.param.toStdString();
                         });
