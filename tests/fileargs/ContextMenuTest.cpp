// The desktop entry and the file managers' context menus: valid files whose Exec lines bring
// any name (spaces, quotes, `$`, newlines, a leading dash) to the program intact, in the frame
// the menu names.
#include "app/CommandLine.h"
#include "tests/TestPaths.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>

namespace {

const QString packaging = QStringLiteral(EC_SOURCE_DIR "/packaging/");
const QStringList hardNames{"two words.txt", "quote\"d 'single'.txt", "$HOME and `id`.txt",
                            "new\nline.txt", "-leading-dash.ECX",     "back\\slash;.txt"};

// The value of `key` in `group` of a desktop-entry style file.
QString entryValue(const QString &file, const QString &group, const QString &key)
{
    QFile text(packaging + file);
    EXPECT_TRUE(text.open(QIODevice::ReadOnly)) << file.toStdString();
    QString current;
    for (const QString &line : QString::fromUtf8(text.readAll()).split('\n')) {
        if (line.startsWith('['))
            current = line.mid(1, line.size() - 2);
        else if (current == group && line.startsWith(key + '='))
            return line.mid(key.size() + 1);
    }
    return {};
}

// As a launcher that follows the desktop entry rules runs it: every file its own argument.
QStringList launched(const QString &exec)
{
    QStringList arguments;
    for (const QString &word : exec.split(' '))
        word == "%F" ? arguments.append(hardNames) : arguments.append(word);
    return arguments;
}

// As Nemo runs an action with Quote=double: every name put in double quotes with \ " $ `
// escaped, and the line split as a shell splits it.
QStringList launchedByNemo(const QString &exec)
{
    QStringList quoted;
    for (QString name : hardNames) {
        for (const char special : {'\\', '"', '$', '`'})
            name.replace(QChar(special), QStringLiteral("\\") + QChar(special));
        quoted << '"' + name + '"';
    }
    QString line = exec;
    line.replace("%F", quoted.join(' '));
    QProcess shell;
    shell.start("sh", {"-c", "EmberCoffer() { printf '%s\\0' EmberCoffer \"$@\"; }; " + line});
    EXPECT_TRUE(shell.waitForFinished(10000));
    QStringList arguments = QString::fromUtf8(shell.readAllStandardOutput()).split(QChar(0));
    arguments.removeLast();
    return arguments;
}

TEST(ContextMenus, EveryExecLineBringsHardNamesToTheRightFrame)
{
    using Frame = FileArgument::Frame;
    const QString id = "example.corvantide.EmberCoffer";
    struct Case {
        QStringList arguments;
        Frame frame;
    };
    const Case cases[] = {
        {launched(entryValue("desktop/" + id + ".desktop", "Desktop Entry", "Exec")), Frame::None},
        {launched(entryValue("filemanager/" + id + ".encrypt.desktop", "Desktop Action encrypt",
                             "Exec")),
         Frame::Encrypt},
        {launched(entryValue("filemanager/" + id + ".decrypt.desktop", "Desktop Action decrypt",
                             "Exec")),
         Frame::Decrypt},
        {launchedByNemo(
             entryValue("filemanager/embercoffer-encrypt.nemo_action", "Nemo Action", "Exec")),
         Frame::Encrypt},
        {launchedByNemo(
             entryValue("filemanager/embercoffer-decrypt.nemo_action", "Nemo Action", "Exec")),
         Frame::Decrypt},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        const CommandLine line = readCommandLine(c.arguments);
        EXPECT_EQ(line.paths, hardNames);
        EXPECT_EQ(line.frame, c.frame);
    }
    // Decrypt is offered only for encrypted files.
    EXPECT_EQ(entryValue("filemanager/" + id + ".decrypt.desktop", "Desktop Entry", "MimeType"),
              "application/x-ecx;");
    EXPECT_EQ(entryValue("filemanager/embercoffer-decrypt.nemo_action", "Nemo Action", "Mimetypes"),
              "application/x-ecx;");
}

TEST(ContextMenus, DesktopFilesValidate)
{
    if (QStandardPaths::findExecutable("desktop-file-validate").isEmpty())
        GTEST_SKIP() << "desktop-file-validate is not installed";
    for (const QString file : {"desktop/example.corvantide.EmberCoffer.desktop",
                               "filemanager/example.corvantide.EmberCoffer.encrypt.desktop",
                               "filemanager/example.corvantide.EmberCoffer.decrypt.desktop"}) {
        QProcess validate;
        validate.start("desktop-file-validate", {packaging + file});
        ASSERT_TRUE(validate.waitForFinished(10000));
        EXPECT_EQ(validate.exitCode(), 0) << validate.readAllStandardOutput().toStdString();
    }
}

} // namespace
