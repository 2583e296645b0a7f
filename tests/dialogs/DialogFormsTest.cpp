#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <gtest/gtest.h>

#include "DialogLabel.h"
#include "PasswordForms.h"

namespace {

QWidget *child(QWidget &form, const char *name)
{
    return form.findChild<QWidget *>(QString::fromLatin1(name));
}

TEST(DialogForms, SizeSettingChoosesNormalForAnythingButOneAndTwo)
{
    EXPECT_EQ(dialogSizeFor(1), DialogSize::Large);
    EXPECT_EQ(dialogSizeFor(2), DialogSize::ExtraLarge);
    for (qint32 setting : {0, 3, 5, -1, -2147483647 - 1})
        EXPECT_EQ(dialogSizeFor(setting), DialogSize::Normal) << setting;
}

TEST(DialogForms, EveryNameCreatesAFreshFormOfThatName)
{
    const QStringList names = passwordFormNames();
    ASSERT_EQ(names.size(), 9);
    EXPECT_EQ(names.front(), "frmGetPasswordNormal");
    EXPECT_EQ(names.back(), "frmChangePasswordExtraLarge");
    for (const QString &name : names) {
        auto first = createPasswordForm(name);
        auto second = createPasswordForm(name);
        ASSERT_TRUE(first && second) << name.toStdString();
        EXPECT_NE(first.get(), second.get());
        EXPECT_EQ(first->objectName(), name);
        EXPECT_EQ(dialogFormName(first->kind(), first->dialogSize()), name);
        EXPECT_EQ(first->parentWidget(), nullptr); // shown without an owner window
    }
    EXPECT_EQ(createPasswordForm("frmGetPassword"), nullptr);
    EXPECT_EQ(createPasswordForm("frmgetpasswordnormal"), nullptr);
}

TEST(DialogForms, DesignCaptionsLabelsAndBuddies)
{
    struct Expected
    {
        const char *form;
        const char *title;
        std::vector<std::tuple<int, const char *, const char *>> labels; // index, caption, box
    };
    const Expected expectations[] = {
        {"frmGetPasswordLarge", "Password Required", {{0, "&Enter Password:", "txtPassword"}}},
        {"frmCreatePasswordNormal", "Create Password",
         {{0, "&Enter Password:", "txtPassword"}, {1, "Confir&m Password:", "txtConfirmation"}}},
        {"frmChangePasswordExtraLarge", "Change Password",
         {{2, "&Enter Old Password:", "txtOLDPassword"},
          {0, "Enter &New Password:", "txtPassword"},
          {1, "Confir&m New Password:", "txtConfirmation"}}},
    };
    for (const Expected &expected : expectations) {
        auto form = createPasswordForm(expected.form);
        SCOPED_TRACE(expected.form);
        EXPECT_EQ(form->windowTitle(), expected.title);
        EXPECT_EQ(form->findChildren<DialogLabel *>("GenericLabel").size(), expected.labels.size());
        for (const auto &[index, caption, boxName] : expected.labels) {
            DialogLabel *label = form->genericLabel(index);
            ASSERT_NE(label, nullptr);
            EXPECT_EQ(label->objectName(), "GenericLabel");
            EXPECT_EQ(label->text(), caption);
            EXPECT_EQ(label->buddy(), child(*form, boxName));
            if (form->kind() != DialogKind::Get) {
                EXPECT_EQ(label->property("index").toInt(), index);
            }
        }
        EXPECT_EQ(form->findChild<QPushButton *>("cmdOK")->text(), "&OK");
        EXPECT_EQ(form->findChild<QPushButton *>("cmdCancel")->text(), "&Cancel");
        EXPECT_TRUE(form->findChild<QPushButton *>("cmdOK")->isDefault());
        EXPECT_EQ(form->genericLabel(static_cast<int>(expected.labels.size())),
                  form->kind() == DialogKind::Get ? form->genericLabel(0) : nullptr);
    }
}

TEST(DialogForms, LayoutFollowsTheDesignInPixels)
{
    auto change = createPasswordForm("frmChangePasswordLarge");
    EXPECT_EQ(change->size(), QSize(291, 235));
    EXPECT_EQ(change->minimumSize(), change->maximumSize()); // fixed frame
    EXPECT_EQ(child(*change, "txtConfirmation")->geometry(), QRect(60, 151, 218, 28));
    EXPECT_EQ(child(*change, "cmdCancel")->geometry(), QRect(171, 191, 107, 31));
    EXPECT_EQ(change->genericLabel(1)->pos(), QPoint(60, 127));
    EXPECT_EQ(child(*change, "ImageKey")->geometry(), QRect(13, 15, 32, 32));

    auto get = createPasswordForm("frmGetPasswordExtraLarge");
    EXPECT_EQ(get->size(), QSize(385, 146));
    EXPECT_EQ(child(*get, "cmdOK")->geometry(), QRect(91, 92, 136, 38));
    EXPECT_EQ(child(*get, "ImageKey")->geometry(), QRect(13, 15, 64, 64));
}

TEST(DialogForms, ControlsFitTheFormAndDoNotOverlap)
{
    for (const QString &name : passwordFormNames()) {
        auto form = createPasswordForm(name);
        SCOPED_TRACE(name.toStdString());
        const QList<QWidget *> controls = form->findChildren<QWidget *>(QString(), Qt::FindDirectChildrenOnly);
        for (QWidget *control : controls) {
            EXPECT_TRUE(form->rect().contains(control->geometry())) << control->objectName().toStdString();
            // Labels are as tall as the substituted font makes them; only the other controls
            // are held apart.
            if (qobject_cast<DialogLabel *>(control))
                continue;
            for (QWidget *other : controls) {
                if (other != control && !qobject_cast<DialogLabel *>(other)) {
                    EXPECT_FALSE(control->geometry().intersects(other->geometry()))
                        << control->objectName().toStdString() << " / " << other->objectName().toStdString();
                }
            }
        }
        for (DialogLabel *label : form->findChildren<DialogLabel *>()) {
            EXPECT_LT(label->y(), label->buddy()->y());
            EXPECT_EQ(label->x(), label->buddy()->x());
        }
    }
}

TEST(DialogForms, FontsPerSizeAreSharedByLabelsBoxesAndButtons)
{
    const std::tuple<const char *, const char *, double, bool> fonts[] = {
        {"frmCreatePasswordNormal", "MS Sans Serif", 8.25, false},
        {"frmCreatePasswordLarge", "MS Sans Serif", 12, true},
        {"frmCreatePasswordExtraLarge", "Arial", 18, true},
    };
    for (const auto &[name, family, points, bold] : fonts) {
        auto form = createPasswordForm(name);
        for (const char *control : {"GenericLabel", "txtConfirmation", "cmdOK", "cmdCancel"}) {
            const QFont font = child(*form, control)->font();
            EXPECT_EQ(font.family(), family) << name << " " << control;
            EXPECT_DOUBLE_EQ(font.pointSizeF(), points) << name << " " << control;
            EXPECT_EQ(font.bold(), bold) << name << " " << control;
        }
    }
}

TEST(DialogForms, BoxesAreMaskedWithStarsAndTabInOrder)
{
    auto form = createPasswordForm("frmChangePasswordNormal");
    const char *order[] = {"txtOLDPassword", "txtPassword", "txtConfirmation", "cmdOK", "cmdCancel"};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i) {
        QWidget *next = child(*form, order[i])->nextInFocusChain();
        while (next->focusPolicy() == Qt::NoFocus) // the labels between the boxes
            next = next->nextInFocusChain();
        EXPECT_EQ(next, child(*form, order[i + 1])) << order[i];
    }
    EXPECT_EQ(form->focusWidget(), child(*form, "txtOLDPassword"));
    for (QLineEdit *box : form->findChildren<QLineEdit *>()) {
        EXPECT_EQ(box->echoMode(), QLineEdit::Password);
        EXPECT_EQ(box->style()->styleHint(QStyle::SH_LineEdit_PasswordCharacter, nullptr, box), '*');
    }
}

TEST(DialogForms, LabelGrowsWithALongerCaption)
{
    auto form = createPasswordForm("frmGetPasswordNormal");
    DialogLabel *label = form->genericLabel(0);
    const QRect before = label->geometry();
    label->setProperty("Caption", QStringLiteral("Please type the password of the archive:"));
    EXPECT_EQ(label->text(), "Please type the password of the archive:");
    EXPECT_EQ(label->pos(), before.topLeft());
    EXPECT_GT(label->width(), before.width());
}

} // namespace
