// A file named on the command line: which frame gets it, and what the user is told when the
// arguments name no usable file; decided alone, then through the real start-up.
#include "app/FileArgument.h"
#include "app/CipherFrame.h"
#include "app/FileTab.h"
#include "app/Startup.h"
#include "app/StoredPassword.h"
#include "app/frmMain.h"
#include "platform/ui/ProgramExit.h"
#include "tests/registry/TemporaryRegistry.h"
#include "tests/support/ModalDriver.h"

#include <QDir>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// The files named on the command line are made in a folder of their own.
class FileArgumentTest : public TemporaryRegistry {
protected:
    void SetUp() override
    {
        TemporaryRegistry::SetUp();
        ASSERT_TRUE(m_files.isValid());
        platform::setProgramExitHandler([this](int code) { m_exits.push_back(code); });
    }
    void TearDown() override
    {
        platform::setProgramExitHandler({});
        TemporaryRegistry::TearDown();
    }

    QString file(const QString &name, const QByteArray &content = "plain text\n") const
    {
        QFile written(m_files.filePath(name));
        EXPECT_TRUE(written.open(QIODevice::WriteOnly));
        written.write(content);
        return written.fileName();
    }

    std::unique_ptr<frmMain> start(const QStringList &arguments)
    {
        std::unique_ptr<frmMain> window = startUp(arguments);
        if (window) {
            window->activateWindow();
            EXPECT_TRUE(QTest::qWaitForWindowActive(window.get()));
        }
        return window;
    }

    QTemporaryDir m_files;
    MessageRecorder m_messages;
    std::vector<int> m_exits;
};

using Frame = FileArgument::Frame;

TEST_F(FileArgumentTest, EncryptedFilesGoToDecryptionAndAllOthersToEncryption)
{
    EXPECT_EQ(fileArgument({}).frame, Frame::None);
    EXPECT_TRUE(fileArgument({}).problem.isEmpty());

    const std::pair<QString, Frame> cases[] = {
        {file("report.txt"), Frame::Encrypt},
        {file("report.txt.ECX", "anything"), Frame::Decrypt},
        {file("lower.ecx", "anything"), Frame::Decrypt},
        {file("from-age", "age-encryption.org/v1\n-> scrypt abc 18\n"), Frame::Decrypt},
        {file("mentions-age.txt", "see age-encryption.org/v1\n"), Frame::Encrypt},
        {file("armored", "\r\n  -----BEGIN AGE ENCRYPTED FILE-----\nYWdl\n"), Frame::Decrypt},
        {file("quotes-armor.txt", "Mail:\n-----BEGIN AGE ENCRYPTED FILE-----\n"), Frame::Encrypt},
        {file("short", "age"), Frame::Encrypt},
        {file("empty", ""), Frame::Encrypt},
    };
    for (const auto &[path, frame] : cases) {
        const FileArgument argument = fileArgument({path});
        EXPECT_EQ(argument.frame, frame) << path.toStdString();
        EXPECT_EQ(argument.path, path);
        EXPECT_TRUE(argument.problem.isEmpty());
    }

    // A relative name is taken from the current folder and handed on whole.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(m_files.path());
    EXPECT_EQ(fileArgument({"report.txt"}).path, m_files.filePath("report.txt"));
    QDir::setCurrent(previous);
}

TEST_F(FileArgumentTest, SeveralFilesAFolderOrAMissingFileAreExplained)
{
    const QString one = file("one.txt");
    const std::pair<QStringList, QString> cases[] = {
        {{one, file("two.txt")}, "one file at a time; 2 were given"},
        {{m_files.path()}, m_files.path() + " is a folder"},
        {{m_files.filePath("gone.ECX")},
         "The file " + m_files.filePath("gone.ECX") + " does not exist."},
    };
    for (const auto &[arguments, message] : cases) {
        const FileArgument argument = fileArgument(arguments);
        EXPECT_EQ(argument.frame, Frame::None);
        EXPECT_TRUE(argument.path.isEmpty());
        EXPECT_TRUE(argument.problem.contains(message)) << argument.problem.toStdString();
    }
}

TEST_F(FileArgumentTest, WindowOpensWithTheFileInItsFrameAndTheKeyBoxFocused)
{
    const QString encrypted = file("letter.ECX", "age-encryption.org/v1\n");
    std::unique_ptr<frmMain> window = start({encrypted});
    ASSERT_TRUE(window);
    CipherFrame *decrypt = window->fileTab()->decryptFrame();
    EXPECT_EQ(decrypt->fileBox()->text(), encrypted);
    EXPECT_TRUE(decrypt->keyBox()->hasFocus());
    EXPECT_TRUE(window->fileTab()->encryptFrame()->fileBox()->text().isEmpty());
    window.reset();

    const QString plain = file("letter.txt");
    window = start({plain});
    ASSERT_TRUE(window);
    CipherFrame *encrypt = window->fileTab()->encryptFrame();
    EXPECT_EQ(encrypt->fileBox()->text(), plain);
    EXPECT_TRUE(encrypt->keyBox()->hasFocus());
    EXPECT_TRUE(m_messages.calls().empty());
}

TEST_F(FileArgumentTest, UnusableArgumentsGiveAMessageAndAnEmptyWindow)
{
    std::unique_ptr<frmMain> window = start({m_files.path()});
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(m_messages.calls().size(), 1u);
    EXPECT_EQ(m_messages.calls()[0].owner, window.get());
    EXPECT_EQ(m_messages.calls()[0].icon, platform::MessageIcon::Exclamation);
    EXPECT_TRUE(m_messages.calls()[0].text.contains("is a folder"));
    EXPECT_TRUE(window->fileTab()->encryptFrame()->fileBox()->text().isEmpty());
    EXPECT_TRUE(window->fileTab()->decryptFrame()->fileBox()->text().isEmpty());
}

TEST_F(FileArgumentTest, TheApplicationPasswordIsAskedFirst)
{
    StoredPassword stored;
    ASSERT_EQ(stored.save("Lantern"), 0);
    const QString plain = file("notes.txt");

    // A wrong password ends start-up before the file is looked at.
    whileOpen([](QDialog &open) {
        QTest::keyClicks(box(open, "txtPassword"), "wrong");
        pressOk(open);
    });
    EXPECT_FALSE(startUp({m_files.path()}));
    ASSERT_EQ(m_messages.calls().size(), 1u);
    EXPECT_EQ(m_messages.calls()[0].text, "Invalid Password.");
    EXPECT_EQ(m_exits, std::vector<int>{1});

    m_messages.clear();
    whileOpen([](QDialog &open) {
        QTest::keyClicks(box(open, "txtPassword"), "Lantern");
        pressOk(open);
    });
    std::unique_ptr<frmMain> window = start({plain});
    ASSERT_TRUE(window);
    EXPECT_EQ(window->fileTab()->encryptFrame()->fileBox()->text(), plain);
    EXPECT_TRUE(m_messages.calls().empty());
}

} // namespace
