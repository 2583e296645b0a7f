#include <QPushButton>
#include <QStyle>
#include <gtest/gtest.h>

#include "password/dialogs/DialogLabel.h"
#include "password/dialogs/FormControls.h"
#include "password/dialogs/PasswordForms.h"
#include "tests/support/AccessibleNames.h"
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

// Where everything sits on one form, in twips as designed.
struct FormPlaces {
    const char *form;
    QSize client;
    int keySide;                                // the key picture is square, at 195, 225
    std::vector<std::pair<int, QPoint>> labels; // GenericLabel index (-1: the single one)
    std::vector<std::pair<const char *, QRect>> boxes;
    QRect ok;
    QRect cancel;
};

const FormPlaces designedPlaces[] = {
    {"frmGetPasswordNormal",
     {3660, 1425},
     480,
     {{-1, {900, 135}}},
     {{"txtPassword", {900, 390, 2595, 300}}},
     {900, 870, 1260, 390},
     {2235, 870, 1260, 390}},
    {"frmGetPasswordLarge",
     {4365, 1755},
     480,
     {{-1, {900, 135}}},
     {{"txtPassword", {900, 495, 3270, 420}}},
     {900, 1095, 1605, 465},
     {2565, 1095, 1605, 465}},
    {"frmGetPasswordExtraLarge",
     {5775, 2190},
     960,
     {{-1, {1350, 135}}},
     {{"txtPassword", {1350, 615, 4200, 555}}},
     {1365, 1380, 2040, 570},
     {3510, 1380, 2040, 570}},
    {"frmCreatePasswordNormal",
     {3660, 2070},
     480,
     {{0, {900, 135}}, {1, {900, 780}}},
     {{"txtPassword", {900, 390, 2595, 300}}, {"txtConfirmation", {900, 1035, 2595, 300}}},
     {900, 1515, 1260, 390},
     {2235, 1515, 1260, 390}},
    {"frmCreatePasswordLarge",
     {4365, 2640},
     480,
     {{0, {900, 135}}, {1, {900, 1020}}},
     {{"txtPassword", {900, 495, 3270, 420}}, {"txtConfirmation", {900, 1380, 3270, 420}}},
     {900, 1980, 1605, 465},
     {2565, 1980, 1605, 465}},
    {"frmCreatePasswordExtraLarge",
     {5775, 3315},
     960,
     {{0, {1350, 135}}, {1, {1350, 1260}}},
     {{"txtPassword", {1350, 615, 4200, 555}}, {"txtConfirmation", {1350, 1740, 4200, 555}}},
     {1350, 2505, 2040, 570},
     {3495, 2505, 2040, 570}},
    {"frmChangePasswordNormal",
     {3660, 2715},
     480,
     {{2, {900, 135}}, {0, {900, 780}}, {1, {900, 1425}}},
     {{"txtOLDPassword", {900, 390, 2595, 300}},
      {"txtPassword", {900, 1035, 2595, 300}},
      {"txtConfirmation", {900, 1680, 2595, 300}}},
     {900, 2160, 1260, 390},
     {2235, 2160, 1260, 390}},
    {"frmChangePasswordLarge",
     {4365, 3525},
     480,
     {{2, {900, 135}}, {0, {900, 1035}}, {1, {900, 1905}}},
     {{"txtOLDPassword", {900, 495, 3270, 420}},
      {"txtPassword", {900, 1380, 3270, 420}},
      {"txtConfirmation", {900, 2265, 3270, 420}}},
     {900, 2865, 1605, 465},
     {2565, 2865, 1605, 465}},
    {"frmChangePasswordExtraLarge",
     {5775, 4440},
     960,
     {{2, {1350, 135}}, {0, {1350, 1260}}, {1, {1350, 2385}}},
     {{"txtOLDPassword", {1350, 615, 4200, 555}},
      {"txtPassword", {1350, 1740, 4200, 555}},
      {"txtConfirmation", {1350, 2865, 4200, 555}}},
     {1350, 3630, 2040, 570},
     {3510, 3630, 2040, 570}},
};

// 15 twips make one pixel.
QRect pixels(const QRect &twips)
{
    return {twips.x() / 15, twips.y() / 15, twips.width() / 15, twips.height() / 15};
}

TEST(DialogForms, NineFormsHaveTheirDesignedClientAreaKeyPictureAndPlaces)
{
    ASSERT_EQ(std::size(designedPlaces), 9u);
    for (const FormPlaces &design : designedPlaces) {
        SCOPED_TRACE(design.form);
        auto form = createPasswordForm(design.form);
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->size(), design.client / 15);
        EXPECT_EQ(child(*form, "ImageKey")->geometry(),
                  pixels({195, 225, design.keySide, design.keySide}));
        for (const auto &[index, topLeft] : design.labels)
            EXPECT_EQ(formControl(*form, "GenericLabel", index)->pos(), topLeft / 15) << index;
        for (const auto &[name, place] : design.boxes)
            EXPECT_EQ(child(*form, name)->geometry(), pixels(place)) << name;
        EXPECT_EQ(child(*form, "cmdOK")->geometry(), pixels(design.ok));
        EXPECT_EQ(child(*form, "cmdCancel")->geometry(), pixels(design.cancel));
    }
}

TEST(DialogForms, EveryControlIsNamedAndBoxesTakeTheNameOfTheCaptionAboveThem)
{
    for (const QString &name : passwordFormNames()) {
        auto form = createPasswordForm(name);
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(unnamedControls(*form), QStringList());
        EXPECT_EQ(accessibleName(child(*form, "cmdOK")), "OK");
        EXPECT_EQ(accessibleName(child(*form, "cmdCancel")), "Cancel");
    }
    auto change = createPasswordForm("frmChangePasswordLarge");
    EXPECT_EQ(accessibleName(box(*change, "txtOLDPassword")), "Enter Old Password");
    EXPECT_EQ(accessibleName(box(*change, "txtPassword")), "Enter New Password");
    EXPECT_EQ(accessibleName(box(*change, "txtConfirmation")), "Confirm New Password");

    // The caption a host sets, shown exactly, names the box without its marks.
    ASSERT_TRUE(setFormCaption(*change, "GenericLabel", 0, "Save && &Go:"));
    EXPECT_EQ(change->genericLabel(0)->text(), "Save && &Go:");
    EXPECT_EQ(accessibleName(box(*change, "txtPassword")), "Save & Go");
    ASSERT_TRUE(setFormCaption(*change, "cmdOK", -1, "&Accept"));
    EXPECT_EQ(accessibleName(child(*change, "cmdOK")), "Accept");
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
