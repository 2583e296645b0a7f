#include <QTest>
#include <gtest/gtest.h>

#include "password/dialogs/PasswordForms.h"
#include "tests/dialogs/DialogTestSupport.h"

// The OK checks of the three kinds: which message the first failing check shows, and where
// the focus goes, with the dialog staying open and the entries kept.
namespace {

using Typed = std::vector<std::pair<const char *, QString>>; // box name, text

struct Refusal {
    const char *title;
    QString text;
    const char *focus; // the box that gets the focus; null: it stays on OK
    platform::MessageIcon icon = platform::MessageIcon::Information;
};

void expectRefusal(const char *formName, const Entry &entry, const Typed &typed,
                   const Refusal &refusal)
{
    SCOPED_TRACE(std::string(formName) + ": " + refusal.title);
    MessageRecorder messages;
    auto form = createPasswordForm(formName);
    const Outcome outcome = showByName(*form, entry, [&](QDialog &open) {
        for (const auto &[name, text] : typed) {
            box(open, name)->setMaxLength(1000); // as if the box's own limit had not taken effect
            QTest::keyClicks(box(open, name), text);
        }
        QWidget *ok = open.findChild<QWidget *>("cmdOK");
        ok->setFocus();
        pressOk(open);
        ASSERT_EQ(messages.calls().size(), 1u);
        EXPECT_EQ(messages.calls().front().title, refusal.title);
        EXPECT_EQ(messages.calls().front().text, refusal.text);
        EXPECT_EQ(messages.calls().front().icon, refusal.icon);
        EXPECT_EQ(messages.calls().front().owner, &open);
        EXPECT_EQ(open.focusWidget(), refusal.focus ? box(open, refusal.focus) : ok);
        for (const auto &[name, text] : typed)
            EXPECT_EQ(box(open, name)->text(), text);
        pressCancel(open);
    });
    EXPECT_EQ(outcome.cancelled, VTrue);
}

QString tooShort(const char *what)
{
    return QStringLiteral("The %1 you entered is too short.  The password must be at least 6 long.")
        .arg(what);
}
QString tooLong(const char *what)
{
    return QStringLiteral("The %1 you entered is too long.  The password must be at most 9 long.")
        .arg(what);
}
const QString wrongOld =
    QStringLiteral("The Old Password you entered was not correct!  Please try again.");
const QString mismatch =
    QStringLiteral("The Password and Confirmation do not match!  Please try again.");
constexpr auto warning = platform::MessageIcon::Exclamation;

Entry limits()
{
    Entry entry;
    entry.validation = QStringLiteral("current1");
    entry.minLength = 6;
    entry.maxLength = 9;
    return entry;
}

TEST(OkChecks, GetChecksTheLength)
{
    expectRefusal("frmGetPasswordLarge", limits(), {{"txtPassword", "abc"}},
                  {"Password Too Short", tooShort("password"), "txtPassword"});
}

TEST(OkChecks, CreateChecksThePasswordBeforeItsConfirmation)
{
    const char *form = "frmCreatePasswordExtraLarge";
    expectRefusal(form, limits(), {{"txtPassword", "abc"}, {"txtConfirmation", "x"}},
                  {"Password Too Short", tooShort("password"), "txtPassword"});
    // A short confirmation is reported as short, although it also differs.
    expectRefusal(
        form, limits(), {{"txtPassword", "abcdef"}, {"txtConfirmation", "xyz"}},
        {"Confirmation Password Too Short", tooShort("confirmation password"), "txtConfirmation"});
    // The mismatch title is fixed, whatever title the dialog shows.
    expectRefusal(form, limits(), {{"txtPassword", "Kettle"}, {"txtConfirmation", "kETTLE"}},
                  {"Create Password", mismatch, "txtConfirmation", warning});
}

TEST(OkChecks, ChangeRunsItsEightChecksInOrderOnTheNormalForm)
{
    const char *form = "frmChangePasswordNormal";
    const auto typed = [](QString old, QString password, QString confirmation) {
        return Typed{
            {"txtOLDPassword", old}, {"txtPassword", password}, {"txtConfirmation", confirmation}};
    };
    expectRefusal(form, limits(), typed("cur", "x", "y"),
                  {"Old Password Too Short", tooShort("old password"), "txtOLDPassword"});
    expectRefusal(form, limits(), typed("current1-long", "x", "y"),
                  {"Old Password Too Long", tooLong("old password"), "txtOLDPassword"});
    // A wrong old password of acceptable length does not hide a short new one.
    expectRefusal(form, limits(), typed("wrong-one", "new", "y"),
                  {"Password Too Short", tooShort("password"), "txtPassword"});
    expectRefusal(form, limits(), typed("current1", "new-password", "y"),
                  {"Password Too Long", tooLong("password"), "txtPassword"});
    expectRefusal(
        form, limits(), typed("current1", "newpass", "new"),
        {"Confirmation Password Too Short", tooShort("confirmation password"), "txtConfirmation"});
    expectRefusal(
        form, limits(), typed("current1", "newpass", "newpass-long"),
        {"Confirmation Password Too Long", tooLong("confirmation password"), "txtConfirmation"});
    expectRefusal(form, limits(), typed("wrong-one", "newpass", "newpasz"),
                  {"Change Password", wrongOld, "txtOLDPassword", warning});
    expectRefusal(form, limits(), typed("current1", "newpass", "Newpass"),
                  {"Change Password", mismatch, "txtConfirmation", warning});
    // A current password shorter than the minimum can never be confirmed.
    Entry shortCurrent = limits();
    shortCurrent.validation = QStringLiteral("abc");
    expectRefusal(form, shortCurrent, typed("abc", "newpass", "newpass"),
                  {"Old Password Too Short", tooShort("old password"), "txtOLDPassword"});
}

TEST(OkChecks, LargerChangeFormsMoveTheFocusOnlyAfterAComparison)
{
    const Typed shortOld{{"txtOLDPassword", "cur"}, {"txtPassword", "x"}, {"txtConfirmation", "y"}};
    const Typed wrongOldEntry{
        {"txtOLDPassword", "Current1"}, {"txtPassword", "newpass"}, {"txtConfirmation", "newpass"}};
    for (const char *form : {"frmChangePasswordLarge", "frmChangePasswordExtraLarge"}) {
        expectRefusal(form, limits(), shortOld,
                      {"Old Password Too Short", tooShort("old password"), nullptr});
        expectRefusal(form, limits(), wrongOldEntry,
                      {"Change Password", wrongOld, "txtOLDPassword", warning});
    }
}

TEST(OkChecks, IgnoringCaseAcceptsEntriesThatDifferInCaseAndReturnsThemAsTyped)
{
    Entry entry;
    entry.caseSensitive = VFalse;
    entry.validation = QStringLiteral("Harbour");
    for (const char *name : {"frmCreatePasswordNormal", "frmChangePasswordLarge"}) {
        auto form = createPasswordForm(name);
        const Outcome outcome = showByName(*form, entry, [](QDialog &open) {
            if (QLineEdit *old = box(open, "txtOLDPassword"))
                QTest::keyClicks(old, "hARBOUR");
            QTest::keyClicks(box(open, "txtPassword"), "NewMoon");
            QTest::keyClicks(box(open, "txtConfirmation"), "newmoon");
            pressOk(open);
        });
        EXPECT_EQ(outcome.text, "NewMoon") << name;
        EXPECT_EQ(outcome.cancelled, VFalse) << name;
    }
}

TEST(OkChecks, ARefusedEntryIsSelectedSoRetypingReplacesIt)
{
    MessageRecorder messages;
    Entry entry;
    entry.validation = QStringLiteral("old");
    entry.minLength = 2;
    auto form = createPasswordForm("frmChangePasswordNormal");
    const Outcome outcome = showByName(*form, entry, [&messages](QDialog &open) {
        QTest::keyClicks(box(open, "txtOLDPassword"), "olf");
        QTest::keyClicks(box(open, "txtPassword"), "new");
        QTest::keyClicks(box(open, "txtConfirmation"), "new");
        pressOk(open); // the focus is already in the confirmation box
        EXPECT_EQ(box(open, "txtOLDPassword")->selectedText(), "olf");
        QTest::keyClicks(box(open, "txtOLDPassword"), "old");
        box(open, "txtConfirmation")->setText("n");
        pressOk(open); // too short: the box gets the focus and its text is selected
        EXPECT_EQ(box(open, "txtConfirmation")->selectedText(), "n");
        QTest::keyClicks(box(open, "txtConfirmation"), "new");
        pressOk(open);
        EXPECT_EQ(messages.calls().size(), 2u);
    });
    EXPECT_EQ(outcome.text, "new");
    EXPECT_EQ(outcome.cancelled, VFalse);
}

} // namespace
