// Runs the `ecx` program as a user would: files, key sources, exit statuses, messages.
#include "tests/cli/EcxProgramFixture.h"

#include <QProcess>

#include "globals/ProductVersion.h"
#include "harness/PtyRun.h"

TEST_F(EcxProgram, EncryptsAndDecryptsWithTheProgramsNamingRules)
{
    ASSERT_EQ(ecx(QByteArrayList{"encrypt", "plain.txt", "--key-file", "key"} + fast).status, 0);
    ASSERT_EQ(
        ecx({"decrypt", "plain.txt.ECX", "-o", "back.txt", "--key-stdin"}, "hunter2\n").status, 0);
    EXPECT_EQ(read("back.txt"), "a secret plan\n");
    QFile::remove(path("plain.txt"));
    ASSERT_EQ(ecx({"decrypt", "plain.txt.ECX", "--key-file", "key"}).status, 0);
    EXPECT_EQ(read("plain.txt"), "a secret plan\n");
}

TEST_F(EcxProgram, FailuresExitOneWithAOneLineReason)
{
    ASSERT_EQ(ecx(QByteArrayList{"encrypt", "plain.txt", "--key-file", "key"} + fast).status, 0);
    // Only one trailing newline is dropped, so "hunter2\n\n" is another key.
    const Outcome wrong =
        ecx({"decrypt", "plain.txt.ECX", "-o", "x", "--key-stdin"}, "hunter2\n\n");
    EXPECT_EQ(wrong.status, 1);
    EXPECT_EQ(wrong.err, "ecx: wrong key or damaged header");
    const Outcome firstLetter = ecx({"decrypt", "plain.txt.ECX", "-o", "x", "--key-stdin"}, "h");
    EXPECT_EQ(firstLetter.status, 1);

    EXPECT_EQ(ecx({"decrypt", "gone.ECX", "--key-file", "key"}).err,
              "ecx: file not found: gone.ECX");
    EXPECT_EQ(ecx({"decrypt", "key", "-o", "x", "--key-file", "key"}).err, "ecx: not an .ECX file");
    EXPECT_EQ(ecx({"decrypt", "abc", "--key-file", "key"}).err,
              "ecx: file name too short to drop four characters: abc");
    EXPECT_EQ(ecx({"decrypt", "mail", "--key-file", "key"}).err,
              "ecx: no file name left after dropping four characters: mail (name the output "
              "with -o)");
    EXPECT_EQ(ecx({"encrypt", "plain.txt", "-o", "sub/", "--key-file", "key"}).err,
              "ecx: -o sub/ names a folder: -o takes the output file's name");
    EXPECT_EQ(ecx({"encrypt", "plain.txt", "-o", "no/dir/x", "--key-file", "key"}).err,
              "ecx: folder missing: no/dir");
    const Outcome empty = ecx({"encrypt", "-f", "plain.txt", "--key-stdin"}, "\n");
    EXPECT_EQ(empty.status, 1);
    EXPECT_EQ(empty.err, "ecx: empty key refused");
    EXPECT_EQ(ecx({"encrypt", "-f", "plain.txt", "--key-file", "nokey"}).err,
              "ecx: key file not found: nokey");
    EXPECT_EQ(files(), QStringList({"key", "plain.txt", "plain.txt.ECX"}));
}

TEST_F(EcxProgram, UsageHelpAndVersion)
{
    const Outcome usage = ecx({"encrypt"});
    EXPECT_EQ(usage.status, 2);
    EXPECT_EQ(usage.err, "ecx: missing FILE\nTry 'ecx --help'.");
    QProcess p;
    p.start(EC_ECX_PROGRAM, {"--version"});
    p.waitForFinished();
    EXPECT_EQ(p.readAllStandardOutput(), "ecx " EMBERCOFFER_VERSION_TEXT "\n");
    p.start(EC_ECX_PROGRAM, {"--help"});
    p.waitForFinished();
    EXPECT_EQ(p.exitCode(), 0);
    EXPECT_TRUE(p.readAllStandardOutput().startsWith("Usage: ecx encrypt"));
}

TEST_F(EcxProgram, DeleteRemovesTheInputOnlyAfterSuccess)
{
    ASSERT_EQ(
        ecx(QByteArrayList{"encrypt", "plain.txt", "--delete", "--key-file", "key"} + fast).status,
        0);
    EXPECT_EQ(files(), QStringList({"key", "plain.txt.ECX"}));
    EXPECT_EQ(ecx({"decrypt", "plain.txt.ECX", "--delete", "--key-stdin"}, "wrong").status, 1);
    EXPECT_EQ(files(), QStringList({"key", "plain.txt.ECX"}));
    EXPECT_EQ(ecx({"decrypt", "plain.txt.ECX", "--delete", "--key-file", "key"}).status, 0);
    EXPECT_EQ(files(), QStringList({"key", "plain.txt"}));
    EXPECT_EQ(read("plain.txt"), "a secret plan\n");
}

TEST_F(EcxProgram, AsksForTheKeyTwiceOnTheTerminalWithoutEcho)
{
    std::string transcript;
    const int status = runWithPassphrase(
        {EC_ECX_PROGRAM, "encrypt", "--work-factor", "10", path("plain.txt").toStdString()},
        "hunter2", &transcript, "ey");
    ASSERT_EQ(status, 0) << transcript;
    EXPECT_NE(transcript.find("Key: "), std::string::npos) << transcript;
    EXPECT_NE(transcript.find("Repeat key: "), std::string::npos) << transcript;
    EXPECT_EQ(transcript.find("hunter2"), std::string::npos) << "the key was echoed";
    EXPECT_NE(transcript.find("100%"), std::string::npos) << "no progress bar on the terminal";
    EXPECT_EQ(ecx({"decrypt", "plain.txt.ECX", "-o", "back", "--key-file", "key"}).status, 0);
    EXPECT_EQ(read("back"), "a secret plan\n");
}
