#include <QTest>
#include <gtest/gtest.h>

#include "CreatePasswordDialog.h"
#include "DialogTestSupport.h"

namespace {

class CreatePasswordDialogTest : public testing::Test
{
protected:
    // Shows a fresh form, types both entries, presses OK and expects exactly one message, then cancels.
    void expectRefusal(const Entry &entry, const char *password, const char *confirmation, const char *title,
                       const char *text, const char *focusBox)
    {
        SCOPED_TRACE(title);
        CreatePasswordDialog form(DialogSize::Large);
        messages.clear();
        const Outcome outcome = showByName(form, entry, [&](QDialog &open) {
            QTest::keyClicks(box(open, "txtPassword"), password);
            QTest::keyClicks(box(open, "txtConfirmation"), confirmation);
            open.findChild<QWidget *>("cmdOK")->setFocus();
            pressOk(open);
            ASSERT_EQ(messages.calls().size(), 1u);
            EXPECT_EQ(messages.calls().front().title, title);
            EXPECT_EQ(messages.calls().front().text, text);
            EXPECT_EQ(open.focusWidget(), box(open, focusBox));
            EXPECT_EQ(box(open, "txtPassword")->text(), password);
            EXPECT_EQ(box(open, "txtConfirmation")->text(), confirmation);
            pressCancel(open);
        });
        EXPECT_EQ(outcome.text, "");
        EXPECT_EQ(outcome.cancelled, VTrue);
    }

    MessageRecorder messages;
    CreatePasswordDialog form{DialogSize::Large};
};

TEST_F(CreatePasswordDialogTest, ChecksRunInOrderAndReportTheFirstFailure)
{
    Entry entry;
    entry.minLength = 4;
    entry.maxLength = 0;
    // The password's length comes before anything about the confirmation.
    expectRefusal(entry, "abc", "x", "Password Too Short",
                  "The password you entered is too short.  The password must be at least 4 long.", "txtPassword");
    // A short confirmation is reported as short even though it also differs.
    expectRefusal(entry, "abcd", "xyz", "Confirmation Password Too Short",
                  "The confirmation password you entered is too short.  The password must be at least 4 long.",
                  "txtConfirmation");
    expectRefusal(entry, "abcd", "abce", "Create Password",
                  "The Password and Confirmation do not match!  Please try again.", "txtConfirmation");
    EXPECT_EQ(messages.calls().front().icon, platform::MessageIcon::Exclamation);
}

TEST_F(CreatePasswordDialogTest, MismatchSelectsTheConfirmationSoTypingReplacesIt)
{
    const Outcome outcome = showByName(form, Entry{}, [this](QDialog &open) {
        QTest::keyClicks(box(open, "txtPassword"), "apple");
        QTest::keyClicks(box(open, "txtConfirmation"), "aple");
        pressOk(open); // focus already in the confirmation box
        ASSERT_EQ(messages.calls().size(), 1u);
        EXPECT_EQ(box(open, "txtConfirmation")->selectedText(), "aple");
        QTest::keyClicks(box(open, "txtConfirmation"), "apple");
        EXPECT_EQ(box(open, "txtConfirmation")->text(), "apple");
        pressOk(open);
    });
    EXPECT_EQ(outcome.text, "apple");
    EXPECT_EQ(outcome.cancelled, VFalse);
}

TEST_F(CreatePasswordDialogTest, CaseRuleDecidesWhetherEntriesDifferingInCaseMatch)
{
    Entry entry;
    entry.caseSensitive = VTrue;
    expectRefusal(entry, "Kettle", "kETTLE", "Create Password",
                  "The Password and Confirmation do not match!  Please try again.", "txtConfirmation");

    entry.caseSensitive = VFalse;
    const Outcome outcome = showByName(form, entry, [](QDialog &open) {
        QTest::keyClicks(box(open, "txtPassword"), "Kettle");
        QTest::keyClicks(box(open, "txtConfirmation"), "kETTLE");
        pressOk(open);
    });
    EXPECT_EQ(outcome.text, "Kettle"); // as typed in the password box, not upper-cased
    EXPECT_EQ(outcome.cancelled, VFalse);
}

TEST_F(CreatePasswordDialogTest, BothEmptyPassAZeroMinimum)
{
    const Outcome outcome = showByName(form, Entry{}, [](QDialog &open) { pressOk(open); });
    EXPECT_EQ(outcome.text, "");
    EXPECT_EQ(outcome.cancelled, VFalse);
    EXPECT_TRUE(messages.calls().empty());
}

} // namespace
