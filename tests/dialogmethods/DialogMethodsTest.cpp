#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "button/VTButton.h"
#include "password/IVTPassword.h"
#include "password/VTPasswordDispIds.h"
#include "password/VTPasswordIds.h"
#include "password/VantrelPasswordExports.h"
#include "platform/com/ComPtr.h"
#include "platform/com/FormContainer.h"
#include "tests/support/ModalDriver.h"

namespace {

// A VTPassword placed on a host form as a new control, in run mode unless asked otherwise.
class DialogMethodsTest : public testing::Test {
protected:
    void SetUp() override { host(FormContainer::Mode::Run); }

    void host(FormContainer::Mode mode)
    {
        ASSERT_TRUE(registryFolder.isValid());
        qputenv("EMBERCOFFER_REGISTRY",
                registryFolder.filePath(QStringLiteral("registry.db")).toLocal8Bit());
        container = std::make_unique<FormContainer>(&hostForm, mode);
        ComPtr<IClassFactory> factory;
        ASSERT_EQ(DllGetClassObject(VTPasswordIds::control, IClassFactory::iid, factory.put()),
                  S_OK);
        ASSERT_EQ(container->place(QStringLiteral("VTPass"), VTPasswordIds::control, factory.get()),
                  S_OK);
        control = queryInterface<IVTPassword>(container->control(QStringLiteral("VTPass")).get());
        ASSERT_TRUE(control);
    }

    void setPassword(const QString &password) { ASSERT_EQ(control->put_Password(password), S_OK); }
    QString password()
    {
        QString value;
        control->get_Password(&value);
        return value;
    }
    VBool cancelled()
    {
        VBool value = 99;
        control->get_Cancelled(&value);
        return value;
    }
    VBool validated()
    {
        VBool value = 99;
        control->get_Validated(&value);
        return value;
    }
    void setCaption(HRESULT (IVTPassword::*put)(QString *), QString caption)
    {
        ASSERT_EQ((control.get()->*put)(&caption), S_OK);
    }

    // Calls one of the three methods while `user` acts on the dialog it opens.
    QString call(HRESULT (IVTPassword::*method)(QString *), std::function<void(QDialog &)> user)
    {
        whileOpen(std::move(user));
        QString result = QStringLiteral("not returned");
        EXPECT_EQ((control.get()->*method)(&result), S_OK);
        return result;
    }

    QTemporaryDir registryFolder;
    QWidget hostForm;
    std::unique_ptr<FormContainer> container;
    ComPtr<IVTPassword> control;
    MessageRecorder messages;
};

using Method = HRESULT (IVTPassword::*)(QString *);
const Method getPassword = &IVTPassword::GetPassword;
const Method createPassword = &IVTPassword::CreatePassword;
const Method changePassword = &IVTPassword::ChangePassword;

void typeInto(QDialog &open, const char *boxName, const char *text)
{
    QTest::keyClicks(box(open, boxName), text);
}

TEST_F(DialogMethodsTest, SizeChoosesTheFormOfEachKind)
{
    const std::pair<qint32, const char *> sizes[] = {
        {0, "Normal"}, {1, "Large"}, {2, "ExtraLarge"}, {5, "Normal"}, {-1, "Normal"}};
    const std::pair<Method, const char *> kinds[] = {
        {getPassword, "Get"}, {createPassword, "Create"}, {changePassword, "Change"}};
    for (const auto &[size, sizeName] : sizes) {
        ASSERT_EQ(control->put_Size(size), S_OK);
        for (const auto &[method, kindName] : kinds) {
            QString shown;
            call(method, [&shown](QDialog &open) {
                shown = open.objectName();
                pressCancel(open);
            });
            EXPECT_EQ(shown, QStringLiteral("frm%1Password%2").arg(kindName, sizeName)) << size;
        }
    }
}

TEST_F(DialogMethodsTest, CaptionsAndTitlesReachTheDialog)
{
    setCaption(&IVTPassword::put_CaptionChangeOldPwd, "Old one:");
    setCaption(&IVTPassword::put_CaptionChangeNewPwd, "New one:");
    setCaption(&IVTPassword::put_CaptionChangeCfmPwd, "New one again:");
    setCaption(&IVTPassword::put_CaptionOK, "&Go");
    setCaption(&IVTPassword::put_CaptionCancel, "&Stop");
    ASSERT_EQ(control->put_DialogTitleChangePassword("Replace the key"), S_OK);
    call(changePassword, [](QDialog &open) {
        EXPECT_EQ(open.windowTitle(), "Replace the key");
        const auto labelFor = [&open](const char *boxName) {
            for (auto *label : open.findChildren<QLabel *>("GenericLabel")) {
                if (label->buddy() == box(open, boxName))
                    return label->text();
            }
            return QStringLiteral("no label");
        };
        EXPECT_EQ(labelFor("txtOLDPassword"), "Old one:");
        EXPECT_EQ(labelFor("txtPassword"), "New one:");
        EXPECT_EQ(labelFor("txtConfirmation"), "New one again:");
        EXPECT_EQ(open.findChild<QPushButton *>("cmdOK")->text(), "&Go");
        EXPECT_EQ(open.findChild<QPushButton *>("cmdCancel")->text(), "&Stop");
        pressCancel(open);
    });
}

TEST_F(DialogMethodsTest, GetJudgesTheEntryUnderTheCaseRuleAndKeepsPassword)
{
    setPassword("Lantern");
    const auto typeAndConfirm = [](const char *text) {
        return [text](QDialog &open) {
            typeInto(open, "txtPassword", text);
            pressOk(open);
        };
    };
    EXPECT_EQ(call(getPassword, typeAndConfirm("LANTERN")), "LANTERN");
    EXPECT_EQ(validated(), VFalse); // case-sensitive by default
    EXPECT_EQ(cancelled(), VFalse);
    ASSERT_EQ(control->put_CaseSensitive(VFalse), S_OK);
    call(getPassword, typeAndConfirm("LANTERN"));
    EXPECT_EQ(validated(), VTrue);
    call(getPassword, typeAndConfirm("Lanterns"));
    EXPECT_EQ(validated(), VFalse);
    EXPECT_EQ(password(), "Lantern");
}

TEST_F(DialogMethodsTest, CancelledGetValidatesOnlyAnEmptyPassword)
{
    EXPECT_EQ(call(getPassword,
                   [](QDialog &open) {
                       typeInto(open, "txtPassword", "typed");
                       pressCancel(open);
                   }),
              "");
    EXPECT_EQ(cancelled(), VTrue);
    EXPECT_EQ(validated(), VTrue); // the empty password equals the empty result

    setPassword("Lantern");
    call(getPassword, [](QDialog &open) { open.close(); });
    EXPECT_EQ(cancelled(), VTrue);
    EXPECT_EQ(validated(), VFalse);
    EXPECT_EQ(password(), "Lantern");
}

TEST_F(DialogMethodsTest, ConfirmedCreateStoresThePasswordWithoutNotifying)
{
    QSignalSpy notifications(container.get(), &FormContainer::propertyChanged);
    const QString result = call(createPassword, [](QDialog &open) {
        typeInto(open, "txtPassword", "Fresh Start");
        typeInto(open, "txtConfirmation", "Fresh Start");
        pressOk(open);
    });
    EXPECT_EQ(result, "Fresh Start");
    EXPECT_EQ(password(), "Fresh Start");
    EXPECT_EQ(validated(), VTrue);
    EXPECT_EQ(cancelled(), VFalse);
    EXPECT_EQ(notifications.count(), 0);
}

TEST_F(DialogMethodsTest, CancelledCreateOnANewControlChangesNothing)
{
    EXPECT_EQ(call(createPassword,
                   [](QDialog &open) {
                       typeInto(open, "txtPassword", "abc");
                       typeInto(open, "txtConfirmation", "abc");
                       pressCancel(open);
                   }),
              "");
    EXPECT_EQ(password(), "");
    EXPECT_EQ(validated(), VFalse);
    EXPECT_EQ(cancelled(), VTrue);
}

TEST_F(DialogMethodsTest, ChangeChecksTheOldPasswordAndStoresTheNewOne)
{
    setPassword("first");
    const QString result = call(changePassword, [this](QDialog &open) {
        typeInto(open, "txtOLDPassword", "frist");
        typeInto(open, "txtPassword", "second");
        typeInto(open, "txtConfirmation", "second");
        pressOk(open);
        ASSERT_EQ(messages.calls().size(), 1u);
        EXPECT_EQ(messages.calls().front().text,
                  "The Old Password you entered was not correct!  Please try again.");
        typeInto(open, "txtOLDPassword",
                 "first"); // the wrong entry is selected, so this replaces it
        pressOk(open);
    });
    EXPECT_EQ(result, "second");
    EXPECT_EQ(password(), "second");
    EXPECT_EQ(validated(), VTrue);
}

TEST_F(DialogMethodsTest, CancelledChangeAfterAGoodGetKeepsValidatedAndPassword)
{
    setPassword("Lantern");
    call(getPassword, [](QDialog &open) {
        typeInto(open, "txtPassword", "Lantern");
        pressOk(open);
    });
    ASSERT_EQ(validated(), VTrue);
    EXPECT_EQ(call(changePassword, [](QDialog &open) { QTest::keyClick(&open, Qt::Key_Escape); }),
              "");
    EXPECT_EQ(cancelled(), VTrue);
    EXPECT_EQ(validated(), VTrue);
    EXPECT_EQ(password(), "Lantern");
}

TEST_F(DialogMethodsTest, LimitsAndButtonSettingsReachTheDialog)
{
    qint32 maximum = 5;
    qint32 minimum = 2;
    ASSERT_EQ(control->put_MaxLength(&maximum), S_OK);
    ASSERT_EQ(control->put_MinLength(&minimum), S_OK);
    ASSERT_EQ(control->put_ActiveButtons(VTrue), S_OK);
    ASSERT_EQ(control->put_UseImages(VFalse), S_OK);
    call(createPassword, [this](QDialog &open) {
        typeInto(open, "txtPassword", "abcdefgh");
        EXPECT_EQ(box(open, "txtPassword")->text(), "abcde");
        const auto *ok = open.findChild<VTButton *>("cmdOK");
        EXPECT_EQ(ok->buttonStyle(), 1);
        EXPECT_TRUE(ok->buttonImage().isNull());
        typeInto(open, "txtConfirmation", "a");
        pressOk(open);
        ASSERT_EQ(messages.calls().size(), 1u);
        EXPECT_EQ(messages.calls().front().title, "Confirmation Password Too Short");
        pressCancel(open);
    });
}

TEST_F(DialogMethodsTest, EachCallGetsAFreshFormReleasedAfterwards)
{
    QPointer<QDialog> first;
    call(getPassword, [&first](QDialog &open) {
        first = &open;
        pressCancel(open);
    });
    EXPECT_TRUE(first.isNull());

    setCaption(&IVTPassword::put_CaptionGetPassword, "Second prompt:");
    QString shownCaption;
    call(getPassword, [&shownCaption](QDialog &open) {
        shownCaption = open.findChild<QLabel *>("GenericLabel")->text();
        pressCancel(open);
    });
    EXPECT_EQ(shownCaption, "Second prompt:");
}

TEST_F(DialogMethodsTest, MethodsWorkWhileTheHostFormIsDesignedAndThroughDispatch)
{
    host(FormContainer::Mode::Design);
    whileOpen([](QDialog &open) {
        typeInto(open, "txtPassword", "x");
        pressCancel(open);
    });
    std::vector<Variant> none;
    Variant result;
    ASSERT_EQ(control->Invoke(VTPasswordDispId::GetPassword, DISPATCH_METHOD, none, &result), S_OK);
    EXPECT_EQ(result.stringValue(), "");
    EXPECT_EQ(cancelled(), VTrue); // a plain store, not refused as a design-time write
    EXPECT_EQ(validated(), VTrue);
}

} // namespace
