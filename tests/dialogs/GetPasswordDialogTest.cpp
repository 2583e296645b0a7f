#include <QTest>
#include <gtest/gtest.h>

#include "DialogTestSupport.h"
#include "GetPasswordDialog.h"

namespace {

class GetPasswordDialogTest : public testing::Test
{
protected:
    MessageRecorder messages;
    GetPasswordDialog form{DialogSize::Normal};
};

TEST_F(GetPasswordDialogTest, OkReturnsTheTextAsTypedAndClearsCancelled)
{
    Entry entry;
    entry.minLength = 3;
    const Outcome outcome = showByName(form, entry, [](QDialog &open) {
        EXPECT_EQ(open.focusWidget(), box(open, "txtPassword"));
        QTest::keyClicks(box(open, "txtPassword"), "Secret Word");
        pressOk(open);
    });
    EXPECT_EQ(outcome.text, "Secret Word");
    EXPECT_EQ(outcome.cancelled, VFalse);
    EXPECT_TRUE(messages.calls().empty());
}

TEST_F(GetPasswordDialogTest, EmptyEntryPassesAZeroMinimumThroughEnter)
{
    const Outcome outcome = showByName(form, Entry{}, [](QDialog &open) {
        QTest::keyClick(box(open, "txtPassword"), Qt::Key_Return);
    });
    EXPECT_EQ(outcome.text, "");
    EXPECT_EQ(outcome.cancelled, VFalse);
}

TEST_F(GetPasswordDialogTest, TooShortKeepsTheDialogOpenWithTheFocusInTheBox)
{
    Entry entry;
    entry.minLength = 4;
    const Outcome outcome = showByName(form, entry, [this](QDialog &open) {
        QLineEdit *password = box(open, "txtPassword");
        QTest::keyClicks(password, "abc");
        open.findChild<QWidget *>("cmdCancel")->setFocus();
        pressOk(open);
        ASSERT_EQ(messages.calls().size(), 1u);
        const platform::MessageBoxCall &call = messages.calls().front();
        EXPECT_EQ(call.title, "Password Too Short");
        EXPECT_EQ(call.text, "The password you entered is too short.  The password must be at least 4 long.");
        EXPECT_EQ(call.icon, platform::MessageIcon::Information);
        EXPECT_EQ(call.owner, &open);
        EXPECT_TRUE(open.isVisible());
        EXPECT_EQ(open.focusWidget(), password);
        EXPECT_EQ(password->selectedText(), "abc"); // focused again, so typing replaces it
        QTest::keyClicks(password, "abcd");
        pressOk(open);
    });
    EXPECT_EQ(outcome.text, "abcd");
    EXPECT_EQ(outcome.cancelled, VFalse);
    EXPECT_EQ(messages.calls().size(), 1u);
}

TEST_F(GetPasswordDialogTest, MinimumAboveMaximumCanOnlyBeCancelled)
{
    Entry entry;
    entry.minLength = 8;
    entry.maxLength = 5;
    const Outcome outcome = showByName(form, entry, [this](QDialog &open) {
        QTest::keyClicks(box(open, "txtPassword"), "abcdefghij");
        EXPECT_EQ(box(open, "txtPassword")->text(), "abcde");
        pressOk(open);
        pressOk(open);
        ASSERT_EQ(messages.calls().size(), 2u);
        EXPECT_EQ(messages.calls().back().title, "Password Too Short");
        pressCancel(open);
    });
    EXPECT_EQ(outcome.text, "");
    EXPECT_EQ(outcome.cancelled, VTrue);
}

} // namespace
