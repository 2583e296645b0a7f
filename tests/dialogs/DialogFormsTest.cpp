#include <QPushButton>
#include <QStyle>
#include <gtest/gtest.h>

#include "password/dialogs/DialogLabel.h"
#include "password/dialogs/FormControls.h"
#include "password/dialogs/PasswordForms.h"
#include "tests/support/ModalDriver.h"

namespace {

QWidget *child(QWidget &form, const char *name)
{
    return form.findChild<QWidget *>(QString::fromLatin1(name));
}

TEST(DialogForms, NineNamesEachCreatingAFreshOwnerlessForm)
{
    const QStringList names = passwordFormNames();
    ASSERT_EQ(names.size(), 9);
    for (const QString &name : names) {
        auto first = createPasswordForm(name);
        auto second = createPasswordForm(name);
        ASSERT_TRUE(first && second) << name.toStdString();
        EXPECT_NE(first.get(), second.get());
        EXPECT_EQ(first->objectName(), name);
        EXPECT_EQ(first->parentWidget(), nullptr);
        EXPECT_EQ(first->minimumSize(), first->maximumSize()); // a fixed frame
    }
    EXPECT_EQ(createPasswordForm("frmgetpasswordnormal"), nullptr);
}

TEST(DialogForms, DesignCaptionsLabelIndicesBuddiesAndTabOrder)
{
    using Labels = std::vector<std::tuple<int, const char *, const char *>>; // index, caption, box
    const std::tuple<const char *, const char *, Labels> forms[] = {
        {"frmGetPasswordLarge", "Password Required", {{0, "&Enter Password:", "txtPassword"}}},
        {"frmChangePasswordExtraLarge",
         "Change Password",
         {{2, "&Enter Old Password:", "txtOLDPassword"},
          {0, "Enter &New Password:", "txtPassword"},
          {1, "Confir&m New Password:", "txtConfirmation"}}},
    };
    for (const auto &[name, title, labels] : forms) {
        SCOPED_TRACE(name);
        auto form = createPasswordForm(name);
        EXPECT_EQ(form->windowTitle(), title);
        EXPECT_EQ(form->focusWidget(), child(*form, std::get<2>(labels.front())));
        QWidget *previous = nullptr;
        for (const auto &[index, caption, boxName] : labels) {
            DialogLabel *label = form->genericLabel(index);
            EXPECT_EQ(label->text(), caption);
            EXPECT_EQ(label->buddy(), child(*form, boxName));
            if (previous) {
                EXPECT_EQ(previous->nextInFocusChain()->nextInFocusChain(),
                          label->buddy()); // past the label
            }
            previous = label->buddy();
        }
        EXPECT_EQ(previous->nextInFocusChain(), child(*form, "cmdOK"));
        EXPECT_EQ(child(*form, "cmdOK")->nextInFocusChain(), child(*form, "cmdCancel"));
        EXPECT_EQ(form->findChild<QPushButton *>("cmdOK")->text(), "&OK");
        EXPECT_EQ(form->findChild<QPushButton *>("cmdCancel")->text(), "&Cancel");
        EXPECT_TRUE(form->findChild<QPushButton *>("cmdOK")->isDefault());
        for (QLineEdit *each : form->findChildren<QLineEdit *>()) {
            EXPECT_EQ(each->echoMode(), QLineEdit::Password);
            EXPECT_EQ(
                each->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, each),
                '*');
        }
    }
}

TEST(DialogForms, EachSizeHasItsOwnFontForEveryControl)
{
    const std::tuple<const char *, const char *, double, bool> fonts[] = {
        {"frmCreatePasswordNormal", "MS Sans Serif", 8.25, false},
        {"frmCreatePasswordLarge", "MS Sans Serif", 12, true},
        {"frmCreatePasswordExtraLarge", "Arial", 18, true},
    };
    for (const auto &[name, family, points, bold] : fonts) {
        auto form = createPasswordForm(name);
        for (const char *control : {"GenericLabel", "txtConfirmation", "cmdCancel"}) {
            const QFont font = child(*form, control)->font();
            EXPECT_EQ(std::tuple(font.family(), font.pointSizeF(), font.bold()),
                      std::tuple(family, points, bold))
                << name << " " << control;
        }
    }
}

TEST(DialogForms, ControlsFitTheFormAndDoNotOverlap)
{
    for (const QString &name : passwordFormNames()) {
        auto form = createPasswordForm(name);
        SCOPED_TRACE(name.toStdString());
        const QList<QWidget *> controls =
            form->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
        for (QWidget *control : controls) {
            EXPECT_TRUE(form->rect().contains(control->geometry()))
                << control->objectName().toStdString();
            // Labels are as tall as the substituted font makes them; the rest are held apart.
            for (QWidget *other : controls) {
                if (other != control && !qobject_cast<DialogLabel *>(control) &&
                    !qobject_cast<DialogLabel *>(other)) {
                    EXPECT_FALSE(control->geometry().intersects(other->geometry()))
                        << control->objectName().toStdString() << " / "
                        << other->objectName().toStdString();
                }
            }
        }
        for (DialogLabel *label : form->findChildren<DialogLabel *>()) {
            EXPECT_LT(label->y(), label->buddy()->y());
            EXPECT_EQ(label->x(), label->buddy()->x());
        }
    }
}

TEST(FormControls, FoundByNameAndIndexAndCaptionedThroughTheirCaption)
{
    auto change = createPasswordForm("frmChangePasswordNormal");
    EXPECT_EQ(formControl(*change, "GenericLabel", 2), change->genericLabel(2));
    EXPECT_EQ(formControl(*change, "GenericLabel", 3), nullptr);
    EXPECT_EQ(formControl(*change, "GenericLabel"), nullptr); // an array needs its index
    const int narrow = change->genericLabel(0)->width();
    EXPECT_TRUE(setFormCaption(*change, "GenericLabel", 0, "Please type the new password here:"));
    EXPECT_GT(change->genericLabel(0)->width(), narrow); // the label grows with its caption
    EXPECT_TRUE(setFormCaption(*change, "cmdCancel", -1, "&Abandon"));
    EXPECT_EQ(change->findChild<QPushButton *>("cmdCancel")->text(), "&Abandon");

    auto get = createPasswordForm("frmGetPasswordNormal");
    EXPECT_EQ(formControl(*get, "GenericLabel"), get->genericLabel(0));
    EXPECT_EQ(formControl(*get, "GenericLabel", 0), nullptr); // a single label has no index
    EXPECT_FALSE(setFormCaption(*get, "cmdHelp", -1, "Help"));
    EXPECT_FALSE(setFormCaption(*get, "txtPassword", -1, "not a caption")); // a box has no caption
    EXPECT_EQ(box(*get, "txtPassword")->text(), "");
}

} // namespace
