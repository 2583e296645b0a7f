#include <QApplication>
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
    const Outcome outcome = showByName(form, entry, [](PasswordDialog &open) {
        EXPECT_EQ(open.focusWidget(), box(open, "txtPassword"));
        QTest::keyClicks(box(open, "txtPassword"), "Secret Word");
        pressOk(open);
    });
    EXPECT_EQ(outcome.text, "Secret Word");
    EXPECT_EQ(outcome.cancelled, VFalse);
    EXPECT_TRUE(messages.calls().empty());
}

} // namespace
