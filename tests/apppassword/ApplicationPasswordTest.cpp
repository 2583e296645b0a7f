// The application password through the real start-up, the real Password tab and the real
// password dialogs, with the registry in a temporary file.
#include "app/Startup.h"
#include "app/StoredPassword.h"
#include "app/WindowPasswordControl.h"
#include "app/frmMain.h"
#include "button/VTButton.h"
#include "platform/ui/ProgramExit.h"
#include "tests/support/ModalDriver.h"

#include <QApplication>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <gtest/gtest.h>

#include <optional>

namespace {

using Answer = std::function<void(QDialog &)>;

Answer enter(const char *password)
{
    return [password](QDialog &open) {
        QTest::keyClicks(box(open, "txtPassword"), password);
        if (QLineEdit *confirmation = box(open, "txtConfirmation"))
            QTest::keyClicks(confirmation, password);
        pressOk(open);
    };
}

const Answer cancel = [](QDialog &open) { pressCancel(open); };

// Fails the test if a dialog opens where none should, and closes it so the test goes on.
void expectNoDialog()
{
    QTimer::singleShot(0, [] {
        if (QWidget *open = QApplication::activeModalWidget()) {
            ADD_FAILURE() << "a dialog opened: " << open->objectName().toStdString();
            open->close();
        }
    });
}

class ApplicationPassword : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        useStore(storePath());
        platform::setProgramExitHandler([this](int code) { exits.push_back(code); });
    }

    void TearDown() override
    {
        window.reset();
        platform::setProgramExitHandler({});
    }

    QString storePath() const { return folder.filePath("registry.db"); }
    static void useStore(const QString &path)
    {
        qputenv("EMBERCOFFER_REGISTRY", path.toLocal8Bit());
    }
    // A store path that can never be opened: its folder is a plain file.
    QString unopenableStore() const
    {
        QFile blocker(folder.filePath("blocker"));
        EXPECT_TRUE(blocker.open(QIODevice::WriteOnly));
        return folder.filePath("blocker/registry.db");
    }

    void store(const QString &password) { ASSERT_EQ(stored.save(password), 0); }

    // The real start-up; `user` answers the start-up prompt, or no prompt may appear.
    void start(std::optional<Answer> user = std::nullopt)
    {
        if (user)
            whileOpen(*user);
        else
            expectNoDialog();
        window = startUp();
        if (window) {
            ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
        }
    }

    VTButton *button(const char *name) const { return window->findChild<VTButton *>(name); }
    // A stored password disables Create and is shown; none disables Remove and shows `none`.
    void expectTab(std::optional<QString> password, const QString &none = "none") const
    {
        EXPECT_EQ(button("cmdCreatePass")->isEnabled(), !password);
        EXPECT_EQ(button("cmdRemovePass")->isEnabled(), password.has_value());
        EXPECT_EQ(window->findChild<QTextEdit *>("txtPass")->toPlainText(),
                  password.value_or(none));
    }

    void clickCreate(const Answer &user)
    {
        whileOpen(user);
        QTest::mouseClick(button("cmdCreatePass"), Qt::LeftButton);
    }
    void clickRemove()
    {
        expectNoDialog();
        QTest::mouseClick(button("cmdRemovePass"), Qt::LeftButton);
        QTest::qWait(0);
    }

    void expectOneWarning(const QString &text)
    {
        ASSERT_EQ(messages.calls().size(), 1u);
        const platform::MessageBoxCall &call = messages.calls().front();
        EXPECT_EQ(call.text, text);
        EXPECT_EQ(call.title, "Password");
        EXPECT_EQ(call.icon, platform::MessageIcon::Exclamation);
        messages.clear();
    }

    QTemporaryDir folder;
    MessageRecorder messages;
    std::vector<int> exits;
    StoredPassword stored;
    std::unique_ptr<frmMain> window;
};

TEST_F(ApplicationPassword, WithoutAPasswordTheWindowOpensAtOnceAndACancelledCreateKeepsItSo)
{
    start();
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    expectTab(std::nullopt, "none\n");
    // VTPass is on the form but shows nothing while the program runs.
    QWidget *control = window->findChild<QWidget *>("VTPass");
    ASSERT_NE(control, nullptr);
    EXPECT_FALSE(control->isVisible());

    clickCreate(cancel);
    expectTab(std::nullopt, "none\n");
    EXPECT_EQ(stored.current(), std::nullopt);
    EXPECT_TRUE(messages.calls().empty());
    window.reset();
    start();
    EXPECT_TRUE(window);
    EXPECT_TRUE(exits.empty());
}

TEST_F(ApplicationPassword, AStoredPasswordIsAskedForAndOnlyTheRightEntryOpensTheWindow)
{
    store("Lantern");
    for (const Answer &answer : {enter("lantern"), enter("Lanterns"), cancel}) {
        start(answer);
        EXPECT_FALSE(window);
        expectOneWarning("Invalid Password.");
        EXPECT_EQ(exits, std::vector<int>{1});
        exits.clear();
        for (QWidget *shown : QApplication::topLevelWidgets())
            EXPECT_FALSE(shown->isVisible()) << shown->objectName().toStdString();
    }

    QString title, form;
    start([&](QDialog &open) {
        title = open.windowTitle();
        form = open.objectName();
        enter("Lantern")(open);
    });
    ASSERT_TRUE(window);
    // Only the control's size is saved with the window: its dialog is the default one.
    EXPECT_EQ(title, "Password Required");
    EXPECT_EQ(form, "frmGetPasswordNormal");
    EXPECT_TRUE(window->isVisible());
    expectTab("Lantern");
    EXPECT_TRUE(messages.calls().empty());
    EXPECT_TRUE(exits.empty());
}

TEST_F(ApplicationPassword, AnyStoredValueIsAskedForAndAnEmptyOnePassesACancel)
{
    store("");
    start(cancel);
    ASSERT_TRUE(window);
    expectTab("");
    window.reset();

    store(QString(300, QChar('k')));
    start(cancel);
    EXPECT_FALSE(window);
    expectOneWarning("Invalid Password.");
}

TEST_F(ApplicationPassword, CreateStoresTheConfirmedPasswordAsAStringAndLocksTheNextStart)
{
    start();
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->findChild<QTabWidget *>("SSTab1")->setCurrentIndex(1);
    button("cmdCreatePass")->setFocus();
    clickCreate(enter("Ember 42"));
    expectTab("Ember 42");
    EXPECT_TRUE(messages.calls().empty());
    // Create is disabled before Remove is enabled, so the focus passes on to About.
    EXPECT_EQ(window->focusWidget(), button("cmdAbout"));
    EXPECT_EQ(stored.current(), "Ember 42");
    ASRegistry registry;
    qint32 root = ASRegistry::handleValue(HKEY_LOCAL_MACHINE);
    QString key = "Software\\Corvantide\\Ember Coffer 1.65", name = "Password";
    EXPECT_EQ(registry.ReadDataType(root, key, name), QVariant(qint32(1)));

    window.reset();
    start(cancel);
    EXPECT_FALSE(window);
    expectOneWarning("Invalid Password.");
}

TEST_F(ApplicationPassword, RemoveDeletesAtOnceAndACancelledCreateThenKeepsItRemoved)
{
    store("Lantern");
    start(enter("Lantern"));
    clickRemove();
    expectTab(std::nullopt);
    EXPECT_EQ(stored.current(), std::nullopt);
    EXPECT_EQ(window->passwordControl().password(), "Lantern");

    clickCreate(cancel);
    expectTab(std::nullopt);
    EXPECT_EQ(stored.current(), std::nullopt);
    EXPECT_TRUE(messages.calls().empty());
}

TEST_F(ApplicationPassword, AFailedWriteOrDeleteIsReportedAndTheTabKeepsWhatTheStoreHolds)
{
    start();
    useStore(unopenableStore());
    clickCreate(enter("Ember 42"));
    expectOneWarning("The password could not be saved.  The registry refused the change.");
    expectTab(std::nullopt, "none\n");
    useStore(storePath());
    EXPECT_EQ(stored.current(), std::nullopt);
    window.reset();

    store("Lantern");
    start(enter("Lantern"));
    useStore(unopenableStore());
    clickRemove();
    expectOneWarning("The password could not be removed.  The registry refused the change.");
    expectTab("Lantern");
    useStore(storePath());
    EXPECT_EQ(stored.current(), "Lantern");
}

TEST_F(ApplicationPassword, ADamagedOrUnopenableStoreOpensTheWindowAndIsLeftAlone)
{
    const QByteArray damaged("this is no registry store, and it must stay as it is\n");
    QFile file(storePath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(damaged);
    file.close();
    start();
    ASSERT_TRUE(window);
    expectTab(std::nullopt, "none\n");
    clickCreate(enter("Ember 42"));
    expectOneWarning("The password could not be saved.  The registry refused the change.");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), damaged);
    window.reset();

    useStore(unopenableStore());
    start();
    EXPECT_TRUE(window);
}

} // namespace
