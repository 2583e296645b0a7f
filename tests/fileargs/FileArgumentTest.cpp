// A file named on the command line: which frame gets it, and what the user is told when the
// arguments name no usable file; decided alone, then through the real start-up.
#include "app/FileArgument.h"
#include "app/CipherFrame.h"
#include "app/CommandLine.h"
#include "app/FileTab.h"
#include "app/Startup.h"
#include "app/StoredPassword.h"
#include "app/frmMain.h"
#include "platform/ui/ProgramExit.h"
#include "tests/registry/TemporaryRegistry.h"
#include "tests/support/ModalDriver.h"

#include <QCoreApplication>
#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <sys/stat.h>

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
        EXPECT_EQ(argument.paths, QStringList{path});
        EXPECT_TRUE(argument.problem.isEmpty());
    }

    // A relative name is taken from the current folder and handed on whole.
    const QString previous = QDir::currentPath();
    QDir::setCurrent(m_files.path());
    EXPECT_EQ(fileArgument({"report.txt"}).paths, QStringList{m_files.filePath("report.txt")});
    QDir::setCurrent(previous);
}

TEST_F(FileArgumentTest, SeveralPathsGoToOneFrameAndMissingOrSpecialFilesAreExplained)
{
    const QString one = file("one.txt"), two = file("two.ECX", "x");
    const std::pair<QStringList, Frame> frames[] = {
        {{one, two}, Frame::Encrypt},
        {{two, file("three.ecx", "x")}, Frame::Decrypt},
        {{m_files.path()}, Frame::Encrypt},
    };
    for (const auto &[arguments, frame] : frames) {
        const FileArgument argument = fileArgument(arguments);
        EXPECT_EQ(argument.frame, frame);
        EXPECT_EQ(argument.paths, arguments);
        EXPECT_TRUE(argument.problem.isEmpty());
    }
    EXPECT_EQ(fileArgument({one}, Frame::Decrypt).frame, Frame::Decrypt) << "--decrypt decides";

    // A FIFO would block the window inside open(): it is refused without being opened.
    const QString fifo = m_files.filePath("pipe.ECX");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const std::pair<QStringList, QString> problems[] = {
        {{one, fifo}, fifo + " is not a regular file."},
        {{m_files.filePath("gone.ECX")},
         "The file " + m_files.filePath("gone.ECX") + " does not exist."},
    };
    for (const auto &[arguments, message] : problems) {
        const FileArgument argument = fileArgument(arguments);
        EXPECT_EQ(argument.frame, Frame::None);
        EXPECT_TRUE(argument.paths.isEmpty());
        EXPECT_TRUE(argument.problem.contains(message)) << argument.problem.toStdString();
    }
}

TEST_F(FileArgumentTest, DashesAfterTheSeparatorAreNamesAndTheFrameIsChosenByOption)
{
    const CommandLine line =
        readCommandLine({"EmberCoffer", "--decrypt", "--", "-dash.ECX", "--version"});
    EXPECT_EQ(line.frame, Frame::Decrypt);
    EXPECT_EQ(line.paths, QStringList({"-dash.ECX", "--version"}));
    EXPECT_EQ(readCommandLine({"EmberCoffer", "a", "b"}).frame, Frame::None);
}

TEST_F(FileArgumentTest, HelpAndVersionAreAnsweredOnTheTerminal)
{
    // No display is needed to answer.
    QProcess program;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"QT_QPA_PLATFORM", "DISPLAY", "WAYLAND_DISPLAY"})
        environment.remove(name);
    program.setProcessEnvironment(environment);
    program.start(QCoreApplication::applicationDirPath() + "/EmberCoffer", {"--version"});
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(program.readAllStandardOutput().startsWith("EmberCoffer 1."));
    program.start(QCoreApplication::applicationDirPath() + "/EmberCoffer", {"--help"});
    ASSERT_TRUE(program.waitForFinished(20000));
    EXPECT_EQ(program.exitCode(), 0);
    EXPECT_TRUE(program.readAllStandardOutput().contains("--encrypt"));
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
    std::unique_ptr<frmMain> window = start({m_files.filePath("gone.txt")});
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    ASSERT_EQ(m_messages.calls().size(), 1u);
    EXPECT_EQ(m_messages.calls()[0].owner, window.get());
    EXPECT_EQ(m_messages.calls()[0].icon, platform::MessageIcon::Exclamation);
    EXPECT_TRUE(m_messages.calls()[0].text.contains("does not exist"));
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
    EXPECT_FALSE(startUp({plain}));
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
