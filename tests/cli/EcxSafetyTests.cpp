// `ecx` never loses a file: special destinations, sources that changed or are links, files that
// only look like leftovers, names that are not UTF-8, existing outputs, failed checks.
#include "tests/cli/EcxProgramFixture.h"

#include <poll.h>
#include <sys/inotify.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

#include "harness/PtyRun.h"

namespace {
mode_t typeOf(const QString &path)
{
    struct stat status;
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 ? status.st_mode & S_IFMT : 0;
}

// Waits until `name` appears in `folder` (a finished output is linked or renamed there), then
// flips one of its last bytes and puts its time back, as a failing disk would.
void damageWhenItAppears(const QString &folder, const QString &name, int inotifyFd)
{
    alignas(inotify_event) char buffer[4096];
    pollfd wait{inotifyFd, POLLIN, 0};
    while (::poll(&wait, 1, 60000) == 1) {
        const ssize_t n = ::read(inotifyFd, buffer, sizeof buffer);
        if (n <= 0)
            return;
        for (char *at = buffer; at < buffer + n;) {
            const auto *event = reinterpret_cast<const inotify_event *>(at);
            if (event->len > 0 && name == event->name) {
                const QByteArray path = QFile::encodeName(folder + "/" + name);
                struct stat before;
                const int fd = ::open(path.constData(), O_RDWR);
                char byte = 0;
                if (fd >= 0 && ::fstat(fd, &before) == 0 &&
                    ::pread(fd, &byte, 1, before.st_size - 20) == 1) {
                    byte ^= 1;
                    (void)!::pwrite(fd, &byte, 1, before.st_size - 20);
                    const timespec times[2] = {before.st_atim, before.st_mtim};
                    ::futimens(fd, times);
                }
                ::close(fd);
                return;
            }
            at += sizeof(inotify_event) + event->len;
        }
    }
}
} // namespace

TEST_F(EcxProgram, SpecialDestinationsAreRefusedBeforeAnyWork)
{
    write("target.txt", "someone else's file");
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("pipe")).constData(), 0600), 0);
    ASSERT_EQ(::symlink("target.txt", QFile::encodeName(path("link")).constData()), 0);
    for (const char *destination : {"pipe", "link"}) {
        const Outcome o = ecx(QByteArrayList{"encrypt", "--delete", "-f", "-o", destination,
                                             "plain.txt", "--key-file", "key"} +
                              fast);
        EXPECT_EQ(o.status, 1);
        EXPECT_EQ(
            o.err,
            QStringLiteral("ecx: %1 is not a regular file; it is left as it is").arg(destination));
    }
    EXPECT_EQ(typeOf(path("pipe")), S_IFIFO);
    EXPECT_EQ(typeOf(path("link")), S_IFLNK);
    EXPECT_EQ(read("target.txt"), "someone else's file");
    EXPECT_EQ(read("plain.txt"), "a secret plan\n");
}

TEST_F(EcxProgram, DeleteRemovesOnlyTheFileThatWasReadAndNeverALinkInItsPlace)
{
    ASSERT_EQ(::symlink("plain.txt", QFile::encodeName(path("alias")).constData()), 0);
    const Outcome o =
        ecx(QByteArrayList{"encrypt", "--delete", "alias", "--key-file", "key"} + fast);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "ecx: alias is a symbolic link, not the file itself; alias kept");
    EXPECT_EQ(typeOf(path("alias")), S_IFLNK);
    EXPECT_EQ(read("plain.txt"), "a secret plan\n");
    ASSERT_EQ(ecx({"decrypt", "alias.ECX", "-o", "back", "--key-file", "key"}).status, 0);
    EXPECT_EQ(read("back"), "a secret plan\n");
}

TEST_F(EcxProgram, DeleteNeverReachesASourceWhoseNewFileFailsItsCheck)
{
    // Large enough, and a slow enough key derivation, that the new file is damaged between
    // its rename into place and its check.
    write("big.bin", QByteArray(8 * 1024 * 1024, 'x'));
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, QFile::encodeName(dir.path()).constData(),
                                  IN_CREATE | IN_MOVED_TO),
              0);
    std::thread damage(damageWhenItAppears, dir.path(), QStringLiteral("big.bin.ECX"), watch);
    const Outcome o =
        ecx({"encrypt", "--delete", "big.bin", "--key-file", "key", "--work-factor", "15"});
    damage.join();
    ::close(watch);
    EXPECT_EQ(o.status, 1);
    EXPECT_TRUE(o.err.startsWith("ecx: big.bin.ECX did not verify (")) << o.err.toStdString();
    EXPECT_TRUE(o.err.endsWith(") and was removed; big.bin kept")) << o.err.toStdString();
    EXPECT_EQ(read("big.bin"), QByteArray(8 * 1024 * 1024, 'x'));
    EXPECT_FALSE(files().contains("big.bin.ECX"));
}

TEST_F(EcxProgram, FilesThatOnlyLookLikeLeftoversAreNeverSwept)
{
    ASSERT_EQ(ecx(QByteArrayList{"encrypt", "plain.txt", "--key-file", "key"} + fast).status, 0);
    // A file under a leftover's prefix, and one whose name even carries its own inode number.
    QFile::copy(path("plain.txt.ECX"), path(".ecx-partial-0123abcd"));
    ASSERT_EQ(
        ecx({"decrypt", "-o", "rescued", ".ecx-partial-0123abcd", "--key-file", "key"}).status, 0);
    struct stat status;
    ASSERT_EQ(::stat(QFile::encodeName(path(".ecx-partial-0123abcd")).constData(), &status), 0);
    const QString ownInode = QStringLiteral(".ecx-partial-%1-0123456789abcdef").arg(status.st_ino);
    QFile::rename(path(".ecx-partial-0123abcd"), path(ownInode));
    ASSERT_EQ(ecx({"decrypt", "-o", "again", ownInode.toUtf8(), "--key-file", "key"}).status, 0);
    EXPECT_EQ(read("again"), "a secret plan\n");
    EXPECT_TRUE(files().contains(ownInode));
    EXPECT_EQ(read("rescued"), "a secret plan\n");
}

TEST_F(EcxProgram, NamesThatAreNotUtf8StayBytesAndArePrintedEscaped)
{
    writeBytes(bytePath("caf\xe9.txt"), "latin-1 name\n");
    ASSERT_EQ(ecx(QByteArrayList{"encrypt", "caf\xe9.txt", "--key-file", "key"} + fast).status, 0);
    ASSERT_EQ(ecx({"decrypt", "caf\xe9.txt.ECX", "-oout\xe9", "--key-file", "key"}).status, 0);
    const int out = ::open(bytePath("out\xe9").constData(), O_RDONLY);
    ASSERT_GE(out, 0) << "not written under the name given";
    char content[64] = {};
    EXPECT_EQ(::read(out, content, sizeof content), 13);
    ::close(out);
    EXPECT_STREQ(content, "latin-1 name\n");
    EXPECT_EQ(ecx({"encrypt", "gone\xe9\x1b", "--key-file", "key"}).err,
              "ecx: file not found: gone\\xe9\\x1b");
}

TEST_F(EcxProgram, KeyFilesLoseOneLineEndOnlyAndEveryCharacterCounts)
{
    ASSERT_EQ(ecx(QByteArrayList{"encrypt", "plain.txt", "--key-file", "key"} + fast).status, 0);
    write("crlf", "hunter2\r\n");
    EXPECT_EQ(ecx({"decrypt", "plain.txt.ECX", "-o", "a", "--key-file", "crlf"}).status, 0);
    write("bom", "\xEF\xBB\xBFhunter2\n");
    EXPECT_EQ(ecx({"decrypt", "plain.txt.ECX", "-o", "b", "--key-file", "bom"}).err,
              "ecx: wrong key or damaged header");
    write("two", "hunter2\r\n\r\n");
    EXPECT_EQ(ecx({"decrypt", "plain.txt.ECX", "-o", "c", "--key-file", "two"}).status, 1);
}

TEST_F(EcxProgram, InputsAreCheckedBeforeTheKeyIsAsked)
{
    // Nothing can answer a key prompt here: the file's fault must come first.
    EXPECT_EQ(ecx({"encrypt", "missing.txt"}).err, "ecx: file not found: missing.txt");
    QDir(dir.path()).mkdir("box.ECX");
    EXPECT_EQ(ecx({"decrypt", "box.ECX"}).err,
              "ecx: box.ECX is a folder (-r takes each .ECX file in it)");
}

TEST_F(EcxProgram, AnExistingFileIsReplacedOnlyWhenForced)
{
    write("plain.txt.ECX", "newer work");
    const Outcome o = ecx(QByteArrayList{"encrypt", "plain.txt", "--key-file", "key"} + fast);
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "ecx: plain.txt.ECX exists; not replaced (--force replaces it)");
    EXPECT_EQ(read("plain.txt.ECX"), "newer work");
    // notes/y loses four characters and becomes "not".
    write("not", "unrelated");
    QDir(dir.path()).mkdir("notes");
    write("notes/y", "x");
    EXPECT_EQ(ecx({"decrypt", "notes/y", "--key-file", "key"}).status, 1);
    EXPECT_EQ(read("not"), "unrelated");

    ASSERT_EQ(ecx(QByteArrayList{"encrypt", "-f", "plain.txt", "--key-file", "key"} + fast).status,
              0);
    ASSERT_EQ(ecx({"decrypt", "plain.txt.ECX", "-qfo", "plain.txt", "--key-file", "key"}).status,
              0);
    EXPECT_EQ(read("plain.txt"), "a secret plan\n");
}

TEST_F(EcxProgram, OnATerminalAsksBeforeReplacing)
{
    write("plain.txt.ECX", "newer work");
    const auto ask = [&](const std::string &answer, std::string *transcript) {
        return runWithPassphrase({EC_ECX_PROGRAM, "encrypt", "--work-factor", "10", "--key-file",
                                  path("key").toStdString(), path("plain.txt").toStdString()},
                                 answer, transcript, "Replace it");
    };
    std::string transcript;
    EXPECT_EQ(ask("n", &transcript), 1);
    EXPECT_NE(transcript.find("plain.txt.ECX exists. Replace it? [y/N]: "), std::string::npos)
        << transcript;
    EXPECT_EQ(read("plain.txt.ECX"), "newer work");
    EXPECT_EQ(ask("y", &transcript), 0) << transcript;
    ASSERT_EQ(ecx({"decrypt", "plain.txt.ECX", "-o", "back", "--key-file", "key"}).status, 0);
    EXPECT_EQ(read("back"), "a secret plan\n");
}

TEST_F(EcxProgram, StreamsFromStandardInputToStandardOutput)
{
    const Outcome sealed =
        ecx(QByteArrayList{"encrypt", "--key-file", "key", "-o", "-", "-"} + fast, "piped plan\n");
    ASSERT_EQ(sealed.status, 0) << sealed.err.toStdString();
    EXPECT_TRUE(sealed.out.startsWith("age-encryption.org/v1\n"));
    const Outcome opened = ecx({"decrypt", "--key-file", "key", "-o-", "-"}, sealed.out);
    ASSERT_EQ(opened.status, 0) << opened.err.toStdString();
    EXPECT_EQ(opened.out, "piped plan\n");
    // A damaged stream fails; only what authenticated was written.
    const Outcome cut =
        ecx({"decrypt", "--key-file", "key", "-o", "-", "-"}, sealed.out.chopped(1));
    EXPECT_EQ(cut.status, 1);
    EXPECT_TRUE(cut.out.isEmpty());
    EXPECT_EQ(files(), QStringList({"key", "plain.txt"}));
}

TEST_F(EcxProgram, SeveralFilesTakeOneKeyAndExitWithTheWorstStatus)
{
    write("b.txt", "second\n");
    const Outcome o =
        ecx(QByteArrayList{"encrypt", "plain.txt", "missing", "b.txt", "--key-stdin"} + fast,
            "hunter2\n");
    EXPECT_EQ(o.status, 1);
    EXPECT_EQ(o.err, "ecx: missing: file not found: missing\n"
                     "ecx: plain.txt -> plain.txt.ECX\n"
                     "ecx: b.txt -> b.txt.ECX");
    write("bad.ECX", "not age");
    const Outcome verified =
        ecx({"verify", "plain.txt.ECX", "bad.ECX", "b.txt.ECX", "--key-file", "key"});
    EXPECT_EQ(verified.status, 1);
    EXPECT_EQ(verified.out, "plain.txt.ECX: OK\nb.txt.ECX: OK\n");
    EXPECT_EQ(verified.err, "ecx: bad.ECX: not an .ECX file");
    EXPECT_EQ(ecx({"verify", "-q", "plain.txt.ECX", "b.txt.ECX", "--key-file", "key"}).status, 0);
    EXPECT_EQ(files(),
              QStringList({"b.txt", "b.txt.ECX", "bad.ECX", "key", "plain.txt", "plain.txt.ECX"}));

    std::string transcript;
    ASSERT_EQ(
        runWithPassphrase({EC_ECX_PROGRAM, "decrypt", "-f", path("plain.txt.ECX").toStdString(),
                           path("b.txt.ECX").toStdString()},
                          "hunter2", &transcript, "ey"),
        0)
        << transcript;
    EXPECT_EQ(QString::fromStdString(transcript).count("Key: "), 1) << transcript;
}

TEST_F(EcxProgram, ArmoredFilesAreWrittenWithArmorAndReadAsTheyCome)
{
    ASSERT_EQ(ecx(QByteArrayList{"encrypt", "-a", "plain.txt", "--key-file", "key"} + fast).status,
              0);
    const QByteArray armored = read("plain.txt.ECX");
    EXPECT_TRUE(armored.startsWith("-----BEGIN AGE ENCRYPTED FILE-----\n"));
    EXPECT_TRUE(armored.endsWith("\n-----END AGE ENCRYPTED FILE-----\n"));
    ASSERT_EQ(ecx({"decrypt", "plain.txt.ECX", "-o", "back", "--key-file", "key"}).status, 0);
    EXPECT_EQ(read("back"), "a secret plan\n");
    QByteArray crlf = armored;
    write("crlf.ECX", crlf.replace("\n", "\r\n") + "\r\n  \n");
    EXPECT_EQ(ecx({"verify", "crlf.ECX", "--key-file", "key"}).status, 0);
    write("extra.ECX", armored + "more");
    EXPECT_EQ(ecx({"verify", "extra.ECX", "--key-file", "key"}).err,
              "ecx: damaged header: armor: data after the end line");
}

TEST_F(EcxProgram, KeyStdinOnATerminalIsAskedWithoutEcho)
{
    ASSERT_EQ(ecx(QByteArrayList{"encrypt", "plain.txt", "--key-file", "key"} + fast).status, 0);
    std::string transcript;
    ASSERT_EQ(runWithPassphrase({EC_ECX_PROGRAM, "decrypt", "--key-stdin", "-o",
                                 path("back").toStdString(), path("plain.txt.ECX").toStdString()},
                                "hunter2", &transcript, "ey"),
              0)
        << transcript;
    EXPECT_EQ(transcript.find("hunter2"), std::string::npos) << "the key was echoed";
    EXPECT_EQ(read("back"), "a secret plan\n");
}
