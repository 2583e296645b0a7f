#include <QFontInfo>
#include <QLabel>
#include <QMetaProperty>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "password/sdk/PasswordControl.h"
#include "tests/registry/TemporaryRegistry.h"
#include "tests/support/ModalDriver.h"

using VantrelPassword::PasswordControl;

namespace {

// Every test works on a temporary registry store and hosts the control on a form of its own.
class PasswordControlTest : public TemporaryRegistry {
protected:
    QWidget m_form;
    MessageRecorder m_messages;
};

void typeInto(QDialog &open, const char *boxName, const QString &text)
{
    QTest::keyClicks(box(open, boxName), text);
}

QString labelOf(QDialog &open, const char *boxName)
{
    for (auto *label : open.findChildren<QLabel *>("GenericLabel")) {
        if (label->buddy() == box(open, boxName))
            return label->text();
    }
    return QStringLiteral("no label");
}

TEST_F(PasswordControlTest, PropertiesCarryTheControlsNamesAndDefaults)
{
    const PasswordControl control(&m_form);
    EXPECT_EQ(control.lastError(), 0);
    const std::pair<const char *, QVariant> defaults[] = {
        {"Size", int(PasswordControl::vtrNormal)},
        {"ActiveButtons", false},
        {"UseImages", true},
        {"Password", QString()},
        {"Cancelled", false},
        {"Validated", false},
        {"DialogTitleGetPassword", "Password Required"},
        {"DialogTitleCreatePassword", "Create Password"},
        {"DialogTitleChangePassword", "Change Password"},
        {"CaseSensitive", true},
        {"MaxLength", 0},
        {"MinLength", 0},
        {"CaptionChangeOldPwd", "&Enter Old Password:"},
        {"CaptionChangeNewPwd", "Enter &New Password:"},
        {"CaptionChangeCfmPwd", "Confir&m New Password:"},
        {"CaptionCreateEntPwd", "&Enter Password:"},
        {"CaptionCreateCfmPwd", "Confir&m Password:"},
        {"CaptionGetPassword", "&Enter Password:"},
        {"CaptionOK", "&OK"},
        {"CaptionCancel", "&Cancel"},
    };
    const QMetaObject &meta = PasswordControl::staticMetaObject;
    EXPECT_EQ(meta.propertyCount() - meta.propertyOffset(), int(std::size(defaults)));
    for (const auto &[name, value] : defaults) {
        const QMetaProperty property = meta.property(meta.indexOfProperty(name));
        ASSERT_TRUE(property.isValid()) << name;
        QVariant read = control.property(name);
        if (property.isEnumType())
            read = read.toInt();
        EXPECT_EQ(read, value) << name;
        // The outcome of the last dialog is no design-time setting.
        const bool runTimeOnly = QByteArray(name) == "Cancelled" || name == QByteArray("Validated");
        EXPECT_EQ(property.isDesignable(), !runTimeOnly) << name;
        EXPECT_EQ(property.isStored(), !runTimeOnly) << name;
    }
}

// The dialogs name Windows fonts; in any host they are drawn with Debian's metric-compatible
// stand-ins (fonts-liberation2), not with whatever the font system falls back to.
TEST_F(PasswordControlTest, HostsDrawTheDialogFontsWithTheirStandIns)
{
    const PasswordControl control(&m_form);
    const std::pair<const char *, const char *> families[] = {
        {"MS Sans Serif", "Liberation Sans"},
        {"Tahoma", "Liberation Sans"},
        {"Arial", "Liberation Sans"},
        {"Times New Roman", "Liberation Serif"},
    };
    for (const auto &[named, drawn] : families)
        EXPECT_EQ(QFontInfo(QFont(named)).family().toStdString(), drawn) << named;
}

TEST_F(PasswordControlTest, WritesReachTheControlUnchanged)
{
    PasswordControl control(&m_form);
    control.setMinLength(10);
    control.setMaxLength(5);
    control.setSize(PasswordControl::DialogSize(7));
    control.setCaseSensitive(false);
    control.setPassword("Lantern");
    control.setValidated(true);
    EXPECT_EQ(control.lastError(), 0);
    // No range check and no cross-check, as the control's own writes do.
    EXPECT_EQ(control.minLength(), 10);
    EXPECT_EQ(control.maxLength(), 5);
    EXPECT_EQ(int(control.dialogSize()), 7);
    EXPECT_FALSE(control.caseSensitive());
    EXPECT_EQ(control.password(), "Lantern");
    EXPECT_TRUE(control.validated());
    ASSERT_TRUE(control.setProperty("UseImages", false));
    ASSERT_TRUE(control.setProperty("Size", int(PasswordControl::vtrExtraLarge)));
    EXPECT_FALSE(control.useImages());
    EXPECT_EQ(control.dialogSize(), PasswordControl::vtrExtraLarge);
}

TEST_F(PasswordControlTest, TitlesCaptionsAndSizeReachEveryDialog)
{
    PasswordControl control(&m_form);
    control.setSize(PasswordControl::vtrLarge);
    control.setDialogTitleGetPassword("Unlock");
    control.setDialogTitleCreatePassword("New key");
    control.setDialogTitleChangePassword("Replace key");
    control.setCaptionGetPassword("Key:");
    control.setCaptionCreateEntPwd("New key:");
    control.setCaptionCreateCfmPwd("New key again:");
    control.setCaptionChangeOldPwd("Old key:");
    control.setCaptionChangeNewPwd("Next key:");
    control.setCaptionChangeCfmPwd("Next key again:");
    control.setCaptionOK("&Go");
    control.setCaptionCancel("&Stop");

    const auto expectButtons = [](QDialog &open) {
        EXPECT_EQ(open.findChild<QPushButton *>("cmdOK")->text(), "&Go");
        EXPECT_EQ(open.findChild<QPushButton *>("cmdCancel")->text(), "&Stop");
    };
    whileOpen([&](QDialog &open) {
        EXPECT_EQ(open.objectName(), "frmGetPasswordLarge");
        EXPECT_EQ(open.windowTitle(), "Unlock");
        EXPECT_EQ(labelOf(open, "txtPassword"), "Key:");
        expectButtons(open);
        pressCancel(open);
    });
    control.getPassword();
    whileOpen([&](QDialog &open) {
        EXPECT_EQ(open.objectName(), "frmCreatePasswordLarge");
        EXPECT_EQ(open.windowTitle(), "New key");
        EXPECT_EQ(labelOf(open, "txtPassword"), "New key:");
        EXPECT_EQ(labelOf(open, "txtConfirmation"), "New key again:");
        expectButtons(open);
        pressCancel(open);
    });
    control.createPassword();
    whileOpen([&](QDialog &open) {
        EXPECT_EQ(open.objectName(), "frmChangePasswordLarge");
        EXPECT_EQ(open.windowTitle(), "Replace key");
        EXPECT_EQ(labelOf(open, "txtOLDPassword"), "Old key:");
        EXPECT_EQ(labelOf(open, "txtPassword"), "Next key:");
        EXPECT_EQ(labelOf(open, "txtConfirmation"), "Next key again:");
        expectButtons(open);
        pressCancel(open);
    });
    control.changePassword();
    EXPECT_EQ(control.lastError(), 0);
}

TEST_F(PasswordControlTest, MethodsReportTheOutcomeThroughTheProperties)
{
    PasswordControl control(&m_form);
    control.setMinLength(4);
    whileOpen([](QDialog &open) {
        typeInto(open, "txtPassword", "Ember");
        typeInto(open, "txtConfirmation", "Ember");
        pressOk(open);
    });
    EXPECT_EQ(control.createPassword(), "Ember");
    EXPECT_EQ(control.password(), "Ember");
    EXPECT_TRUE(control.validated());
    EXPECT_FALSE(control.cancelled());

    whileOpen([](QDialog &open) {
        typeInto(open, "txtPassword", "ember");
        pressOk(open);
    });
    EXPECT_EQ(control.getPassword(), "ember");
    EXPECT_FALSE(control.validated()); // case-sensitive by default

    whileOpen([](QDialog &open) {
        typeInto(open, "txtOLDPassword", "Ember");
        typeInto(open, "txtPassword", "Coffer");
        typeInto(open, "txtConfirmation", "Coffer");
        pressOk(open);
    });
    EXPECT_EQ(control.changePassword(), "Coffer");
    EXPECT_EQ(control.password(), "Coffer");
    EXPECT_TRUE(control.validated());
    EXPECT_EQ(control.lastError(), 0);
    EXPECT_TRUE(m_messages.calls().empty());
}

TEST_F(PasswordControlTest, RunModeShowsNothingWhenTheFormShows)
{
    auto *control = new PasswordControl(&m_form);
    m_form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_form));
    EXPECT_EQ(control->mode(), PasswordControl::Mode::Run);
    EXPECT_FALSE(control->isVisible());
}

TEST_F(PasswordControlTest, DesignModeShowsTheFixedPictureAndRefusesRunTimeOnlyWrites)
{
    auto *control = new PasswordControl(PasswordControl::Mode::Design, &m_form);
    m_form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&m_form));
    EXPECT_TRUE(control->isVisible());
    EXPECT_EQ(control->size(), QSize(32, 32));
    // Dragging its edges changes nothing.
    control->resize(90, 60);
    EXPECT_EQ(control->size(), QSize(32, 32));
    control->setSize(PasswordControl::vtrExtraLarge);
    EXPECT_EQ(control->size(), QSize(32, 32));

    const QImage drawn = control->grab().toImage();
    // The library's own bitmap, drawn unscaled from the top-left corner.
    const QImage picture = QPixmap(":/VantrelPassword/CONTROL_VTPASSWORD").toImage();
    ASSERT_FALSE(picture.isNull());
    EXPECT_EQ(drawn.convertToFormat(QImage::Format_RGB32),
              picture.convertToFormat(QImage::Format_RGB32));

    control->setValidated(true);
    EXPECT_EQ(control->lastError(), int(0x800A017E)); // error 382
    EXPECT_FALSE(control->validated());
    EXPECT_EQ(control->lastError(), 0);
    control->setCancelled(true);
    EXPECT_EQ(control->lastError(), int(0x800A017E));
    EXPECT_FALSE(control->cancelled());
}

} // namespace
