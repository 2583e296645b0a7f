#include <gtest/gtest.h>

#include "cli/CliArguments.h"

namespace {
CliCommand parsed(const QByteArrayList &args)
{
    const CliParseResult result = parseArguments(args);
    EXPECT_TRUE(result.command) << result.error.toStdString();
    return result.command.value_or(CliCommand{});
}

QString usageError(const QByteArrayList &args)
{
    const CliParseResult result = parseArguments(args);
    EXPECT_FALSE(result.command);
    return result.error;
}
} // namespace

TEST(CliArguments, CommandsWithTheirOptionsInAnyOrder)
{
    const CliCommand e =
        parsed({"encrypt", "--quiet", "a.txt", "-o", "out.ECX", "--delete", "--key-file=k"});
    EXPECT_EQ(e.action, CliCommand::Action::Encrypt);
    EXPECT_EQ(e.inputs, QByteArrayList({"a.txt"}));
    EXPECT_EQ(e.output, "out.ECX");
    EXPECT_EQ(e.keyFile, "k");
    EXPECT_TRUE(e.quiet && e.deleteInput && !e.keyStdin);
    EXPECT_EQ(e.workFactor, 18);

    const CliCommand d = parsed({"--key-stdin", "decrypt", "--", "-odd name.ECX"});
    EXPECT_EQ(d.action, CliCommand::Action::Decrypt);
    EXPECT_EQ(d.inputs, QByteArrayList({"-odd name.ECX"}));
    EXPECT_TRUE(d.keyStdin);
    EXPECT_TRUE(d.output.isEmpty());

    EXPECT_EQ(parsed({"encrypt", "--work-factor", "12", "f"}).workFactor, 12);
}

TEST(CliArguments, HelpAndVersionNeedNoCommand)
{
    EXPECT_EQ(parsed({"--help"}).action, CliCommand::Action::Help);
    EXPECT_EQ(parsed({"encrypt", "-h"}).action, CliCommand::Action::Help);
    EXPECT_EQ(parsed({"--version"}).action, CliCommand::Action::Version);
}

TEST(CliArguments, WrongUsageIsNamed)
{
    EXPECT_EQ(usageError({}), "missing command: encrypt, decrypt or verify");
    EXPECT_EQ(usageError({"shred", "f"}), "unknown command: shred");
    EXPECT_EQ(usageError({"encrypt"}), "missing FILE");
    EXPECT_EQ(usageError({"encrypt", "a", "-o"}), "option -o needs a value");
    EXPECT_EQ(usageError({"encrypt", "a", "--output="}), "option --output needs a non-empty value");
    EXPECT_EQ(usageError({"encrypt", "a", "--key"}), "unknown option: --key");
    EXPECT_EQ(usageError({"encrypt", "a", "--delete=yes"}), "option --delete takes no value");
    EXPECT_EQ(usageError({"encrypt", "a", "--key-stdin", "--key-file", "k"}),
              "use --key-file or --key-stdin, not both");
    for (const char *outside : {"1", "9", "23"})
        EXPECT_EQ(usageError({"encrypt", "a", "--work-factor", outside}),
                  "work factor must be a whole number from 10 to 22");
    EXPECT_EQ(usageError({"decrypt", "a", "--work-factor", "10"}),
              "--work-factor applies to encryption only");
}

TEST(CliArguments, ShortOptionsBundleAsGetoptUsersExpect)
{
    const CliCommand a = parsed({"decrypt", "-qfo", "out", "in.ECX"});
    EXPECT_TRUE(a.quiet && a.force);
    EXPECT_EQ(a.output, "out");
    EXPECT_EQ(a.inputs, QByteArrayList({"in.ECX"}));
    EXPECT_EQ(parsed({"decrypt", "-oout", "in.ECX"}).output, "out");
    EXPECT_EQ(parsed({"decrypt", "-qo-", "-"}).output, "-");
    const CliCommand armored = parsed({"encrypt", "-aq", "x"});
    EXPECT_TRUE(armored.armor && armored.quiet);
    EXPECT_EQ(usageError({"encrypt", "-qx", "f"}), "unknown option: -x");
    EXPECT_EQ(usageError({"encrypt", "f", "-qo"}), "option -o needs a value");
    EXPECT_EQ(usageError({"encrypt", "f", "--force=yes"}), "option --force takes no value");
}

TEST(CliArguments, SeveralFilesStreamsAndVerifyFollowTheirRules)
{
    const CliCommand many = parsed({"encrypt", "a", "b", "c"});
    EXPECT_EQ(many.inputs, QByteArrayList({"a", "b", "c"}));
    const CliCommand check = parsed({"verify", "a.ECX", "-", "--key-file", "k"});
    EXPECT_EQ(check.action, CliCommand::Action::Verify);
    EXPECT_EQ(check.inputs, QByteArrayList({"a.ECX", "-"}));
    EXPECT_EQ(parsed({"encrypt", "-", "-o", "x.ECX"}).inputs, QByteArrayList({"-"}));
    // Names are bytes: one that is not UTF-8 arrives unchanged.
    EXPECT_EQ(parsed({"encrypt", "caf\xe9"}).inputs, QByteArrayList({"caf\xe9"}));

    EXPECT_EQ(usageError({"encrypt", "a", "b", "-o", "x"}), "-o takes one FILE at a time");
    EXPECT_EQ(usageError({"encrypt", "-"}), "reading standard input needs -o PATH or -o -");
    EXPECT_EQ(usageError({"decrypt", "-", "-o", "x", "--key-stdin"}),
              "standard input cannot hold both the file and the key: use --key-file or the "
              "terminal");
    EXPECT_EQ(usageError({"verify", "-", "-"}), "standard input can be read once");
    EXPECT_EQ(usageError({"encrypt", "a", "-o", "-", "--delete"}),
              "--delete needs a file to read and a file to write");
    EXPECT_EQ(usageError({"verify", "a", "--delete"}),
              "verify writes and deletes nothing: no -o, --force or --delete");
    EXPECT_EQ(usageError({"decrypt", "a", "--armor"}),
              "--armor applies to encryption only; armored files are read as they are");
    EXPECT_EQ(usageError({"shred\xff"}), "unknown command: shred\\xff");
}
