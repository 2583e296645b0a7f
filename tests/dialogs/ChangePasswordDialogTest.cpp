#include <QTest>
#include <gtest/gtest.h>

#include "ChangePasswordDialog.h"
#include "DialogTestSupport.h"

namespace {

struct Typed
{
    QString oldPassword;
    QString password;
    QString confirmation;
};

struct Refusal
{
    const char *title;
    QString text;
    platform::MessageIcon icon;
    const char *focusBox; // null: the focus stays on OK
};

class ChangePasswordDialogTest : public testing::Test
{
protected:
    // Shows a change form of `size`, types the three entries with OK focused, presses OK,
    // checks the one message and the focus, then cancels.
    void expectRefusal(DialogSize size, const Entry &entry, const Typed &typed, const Refusal &refusal)
    {
        SCOPED_TRACE(refusal.title);
        ChangePasswordDialog form(size);
        messages.clear();
        const Outcome outcome = showByName(form, entry, [&](QDialog &open) {
            for (QLineEdit *each : open.findChildren<QLineEdit *>())
                each->setMaxLength(1000); // as if a box's own limit had not taken effect
            QTest::keyClicks(box(open, "txtOLDPassword"), typed.oldPassword);
            QTest::keyClicks(box(open, "txtPassword"), typed.password);
            QTest::keyClicks(box(open, "txtConfirmation"), typed.confirmation);
            QWidget *ok = open.findChild<QWidget *>("cmdOK");
            ok->setFocus();
            pressOk(open);
            ASSERT_EQ(messages.calls().size(), 1u);
            EXPECT_EQ(messages.calls().front().title, refusal.title);
            EXPECT_EQ(messages.calls().front().text, refusal.text);
            EXPECT_EQ(messages.calls().front().icon, refusal.icon);
            EXPECT_EQ(open.focusWidget(), refusal.focusBox ? box(open, refusal.focusBox) : ok);
            EXPECT_EQ(box(open, "txtOLDPassword")->text(), typed.oldPassword);
            pressCancel(open);
        });
        EXPECT_EQ(outcome.text, "");
        EXPECT_EQ(outcome.cancelled, VTrue);
    }

    MessageRecorder messages;
};

const QString tooShort = QStringLiteral(" you entered is too short.  The password must be at least 6 long.");
const QString tooLong = QStringLiteral(" you entered is too long.  The password must be at most 9 long.");
const QString wrongOld = QStringLiteral("The Old Password you entered was not correct!  Please try again.");
const QString mismatch = QStringLiteral("The Password and Confirmation do not match!  Please try again.");
constexpr auto info = platform::MessageIcon::Information;
constexpr auto warning = platform::MessageIcon::Exclamation;

Entry limits()
{
    Entry entry;
    entry.validation = QStringLiteral("current1");
    entry.minLength = 6;
    entry.maxLength = 9;
    return entry;
}

TEST_F(ChangePasswordDialogTest, EightChecksInOrderOnTheNormalForm)
{
    const Entry entry = limits();
    const auto normal = DialogSize::Normal;
    expectRefusal(normal, entry, {"cur", "x", "y"},
                  {"Old Password Too Short", "The old password" + tooShort, info, "txtOLDPassword"});
    expectRefusal(normal, entry, {"current1-long", "x", "y"},
                  {"Old Password Too Long", "The old password" + tooLong, info, "txtOLDPassword"});
    // A wrong old password of acceptable length does not hide a short new one.
    expectRefusal(normal, entry, {"wrong-one", "new", "y"},
                  {"Password Too Short", "The password" + tooShort, info, "txtPassword"});
    expectRefusal(normal, entry, {"current1", "new-password", "y"},
                  {"Password Too Long", "The password" + tooLong, info, "txtPassword"});
    expectRefusal(normal, entry, {"current1", "newpass", "new"},
                  {"Confirmation Password Too Short", "The confirmation password" + tooShort, info, "txtConfirmation"});
    expectRefusal(normal, entry, {"current1", "newpass", "newpass-long"},
                  {"Confirmation Password Too Long", "The confirmation password" + tooLong, info, "txtConfirmation"});
    expectRefusal(normal, entry, {"wrong-one", "newpass", "newpasz"},
                  {"Change Password", wrongOld, warning, "txtOLDPassword"});
    expectRefusal(normal, entry, {"current1", "newpass", "newpasz"},
                  {"Change Password", mismatch, warning, "txtConfirmation"});
}

TEST_F(ChangePasswordDialogTest, LargerFormsLeaveTheFocusAfterALengthMessageOnly)
{
    const Entry entry = limits();
    for (DialogSize size : {DialogSize::Large, DialogSize::ExtraLarge}) {
        expectRefusal(size, entry, {"cur", "x", "y"}, {"Old Password Too Short", "The old password" + tooShort, info, nullptr});
        expectRefusal(size, entry, {"current1", "newpass", "new"},
                      {"Confirmation Password Too Short", "The confirmation password" + tooShort, info, nullptr});
        expectRefusal(size, entry, {"wrong-one", "newpass", "newpass"},
                      {"Change Password", wrongOld, warning, "txtOLDPassword"});
        expectRefusal(size, entry, {"current1", "newpass", "Newpass"},
                      {"Change Password", mismatch, warning, "txtConfirmation"});
    }
}

TEST_F(ChangePasswordDialogTest, WrongOldPasswordIsSelectedForRetyping)
{
    ChangePasswordDialog form(DialogSize::Normal);
    Entry entry;
    entry.validation = QStringLiteral("old");
    const Outcome outcome = showByName(form, entry, [this](QDialog &open) {
        QTest::keyClicks(box(open, "txtOLDPassword"), "olf");
        QTest::keyClicks(box(open, "txtPassword"), "new");
        QTest::keyClicks(box(open, "txtConfirmation"), "new");
        pressOk(open);
        ASSERT_EQ(messages.calls().size(), 1u);
        EXPECT_EQ(box(open, "txtOLDPassword")->selectedText(), "olf");
        QTest::keyClicks(box(open, "txtOLDPassword"), "old");
        pressOk(open);
    });
    EXPECT_EQ(outcome.text, "new");
    EXPECT_EQ(outcome.cancelled, VFalse);
}

TEST_F(ChangePasswordDialogTest, IgnoringCaseAcceptsOldAndNewEntriesThatDifferInCase)
{
    ChangePasswordDialog form(DialogSize::ExtraLarge);
    Entry entry;
    entry.validation = QStringLiteral("Harbour");
    entry.caseSensitive = VFalse;
    const Outcome outcome = showByName(form, entry, [](QDialog &open) {
        QTest::keyClicks(box(open, "txtOLDPassword"), "hARBOUR");
        QTest::keyClicks(box(open, "txtPassword"), "NewMoon");
        QTest::keyClicks(box(open, "txtConfirmation"), "newmoon");
        pressOk(open);
    });
    EXPECT_EQ(outcome.text, "NewMoon");
    EXPECT_EQ(outcome.cancelled, VFalse);

    entry.caseSensitive = VTrue;
    expectRefusal(DialogSize::ExtraLarge, entry, {"hARBOUR", "NewMoon", "NewMoon"},
                  {"Change Password", wrongOld, warning, "txtOLDPassword"});
}

TEST_F(ChangePasswordDialogTest, OldPasswordShorterThanTheMinimumCanNeverBeAccepted)
{
    Entry entry = limits();
    entry.validation = QStringLiteral("abc");
    expectRefusal(DialogSize::Normal, entry, {"abc", "newpass", "newpass"},
                  {"Old Password Too Short", "The old password" + tooShort, info, "txtOLDPassword"});
}

TEST_F(ChangePasswordDialogTest, AllEmptyWithNoLimitsAndNoCurrentPassword)
{
    ChangePasswordDialog form(DialogSize::Normal);
    const Outcome outcome = showByName(form, Entry{}, [](QDialog &open) { pressOk(open); });
    EXPECT_EQ(outcome.text, "");
    EXPECT_EQ(outcome.cancelled, VFalse);
    EXPECT_TRUE(messages.calls().empty());
}

} // namespace
