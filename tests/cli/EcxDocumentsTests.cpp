#include "tests/TestPaths.h"
#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QSet>

#include "cli/CliArguments.h"
#include "cli/CliOptions.h"

namespace {

QString sourceFile(const QString &name)
{
    QFile file(QStringLiteral(EC_SOURCE_DIR "/") + name);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool takes(const OptionSpec &option, const QString &command)
{
    return option.commands.isEmpty() || option.commands.contains(command);
}

// What the completion offers after `ecx WORDS`, with the shell library's two helpers reduced
// to what the completion needs from them.
QSet<QString> completions(const QStringList &words)
{
    const QString script = QStringLiteral(R"(
        _init_completion() { words=("${COMP_WORDS[@]}"); cword=$COMP_CWORD;
                             cur=${words[cword]}; prev=${words[cword-1]}; }
        _filedir() { COMPREPLY=("FILES$1"); }
        complete() { :; }
        source "$1"; shift
        COMP_WORDS=(ecx "$@"); COMP_CWORD=$#
        _ecx; printf '%s\n' "${COMPREPLY[@]}")");
    QProcess bash;
    bash.start("bash", QStringList{"-c", script, "bash",
                                   QStringLiteral(EC_SOURCE_DIR "/packaging/completion/ecx")} +
                           words);
    bash.waitForFinished();
    const QStringList lines = QString::fromUtf8(bash.readAllStandardOutput()).split('\n');
    return {lines.begin(), lines.end() - 1};
}

TEST(EcxDocuments, TheParserTheManualAndTheCompletionKnowEveryOptionOfTheHelp)
{
    const QString manual = sourceFile("packaging/man/ecx.1.in");
    const QString options = manual.section(".SH OPTIONS", 1).section(".SH", 0, 0);
    const QString synopsis = manual.section(".SH SYNOPSIS", 1).section(".SH", 0, 0);
    for (const QString &command : ecxCommands()) {
        EXPECT_TRUE(synopsis.contains(".B ecx " + command)) << command.toStdString();
        QSet<QString> offered;
        for (const OptionSpec &option : ecxOptions()) {
            QByteArrayList args{command.toUtf8(), option.longName.toUtf8()};
            if (!option.value.isEmpty())
                args << (option.value == "N" ? "12" : "x");
            args << "file";
            const CliParseResult parsed = parseArguments(args);
            EXPECT_EQ(bool(parsed.command), takes(option, command))
                << command.toStdString() << " " << option.longName.toStdString() << ": "
                << parsed.error.toStdString();
            if (takes(option, command))
                offered << option.longName;
        }
        EXPECT_EQ(completions({command, "--"}), offered) << command.toStdString();
    }
    for (const OptionSpec &option : ecxOptions()) {
        const QString troff = QString(option.longName).replace("-", "\\-");
        EXPECT_TRUE(options.contains(troff)) << option.longName.toStdString();
        EXPECT_TRUE(usageText().contains(option.longName));
    }
    EXPECT_EQ(completions({"v"}), QSet<QString>{"verify"});
    EXPECT_EQ(completions({"verify", ""}), QSet<QString>{"FILES[eE][cC][xX]"});
    EXPECT_EQ(completions({"decrypt", "-r", ""}), QSet<QString>{"FILES[eE][cC][xX]"});
}

} // namespace
