// EncDec on real files: results, progress events, failure reasons, and that nothing is
// lost or left behind.
#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <dlfcn.h>
#include <fcntl.h>
#include <sodium.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include "globals/engine/AtomicFile.h"
#include "globals/engine/EncDec.h"
#include "globals/engine/FileEngine.h"
#include "globals/engine/ScryptIdentity.h"
#include "globals/filerules/KeyString.h"
#include "tests/globals/engine/EngineTestFiles.h"

namespace {

class EngineFiles : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        engine.setWorkFactor(4);
        engine.setKey(keyStringFor("hunter2"));
    }
    QString path(const QString &name) const { return dir.filePath(name); }

    // Encrypts `content` as plain.bin -> plain.bin.ECX and returns the .ECX path.
    QString encrypted(const QByteArray &content)
    {
        writeFile(path("plain.bin"), content);
        EXPECT_EQ(engine.EncryptFile(path("plain.bin"), path("plain.bin.ECX"), QString()), VTrue);
        return path("plain.bin.ECX");
    }

    // Decryption of `source` fails, leaves an existing destination as it was and the
    // folder as it was.
    void expectRefusedDecrypt(const QString &source, const QString &reason)
    {
        writeFile(path("out"), "keep me");
        const QStringList before = folderEntries(dir.path());
        EXPECT_EQ(engine.DecryptFile(source, path("out"), QString()), VFalse);
        EXPECT_TRUE(engine.lastError().contains(reason)) << engine.lastError().toStdString();
        EXPECT_EQ(readFile(path("out")), "keep me");
        EXPECT_EQ(folderEntries(dir.path()), before);
    }

    QTemporaryDir dir;
    EncDec engine;
};

struct ProgressLog {
    explicit ProgressLog(EncDec &engine)
    {
        QObject::connect(&engine, &EncDec::FileEncryptionProgress,
                         [this](qint16 &p) { encrypt << p; });
        QObject::connect(&engine, &EncDec::FileDecryptionProgress,
                         [this](qint16 &p) { decrypt << p; });
        QObject::connect(&engine, &EncDec::FileVerificationProgress,
                         [this](qint16 &p) { verify << p; });
    }
    QList<qint16> encrypt, decrypt, verify;
};

void expectSteadyRiseTo100(const QList<qint16> &values)
{
    ASSERT_FALSE(values.isEmpty());
    EXPECT_EQ(values.first(), 0);
    EXPECT_EQ(values.last(), 100);
    for (qsizetype i = 1; i < values.size(); ++i)
        EXPECT_GT(values[i], values[i - 1]);
}

bool failLocks = false;

} // namespace

// Lets a test make every lock fail, as some network file systems do.
extern "C" __attribute__((visibility("default"))) int flock(int fd, int operation)
{
    using Real = int (*)(int, int);
    static const auto real = reinterpret_cast<Real>(::dlsym(RTLD_NEXT, "flock"));
    if (failLocks)
        return errno = ENOLCK, -1;
    return real(fd, operation);
}

namespace {

TEST_F(EngineFiles, ANewFileTakesTheUmaskAndAReplacedFileKeepsItsMode)
{
    const auto modeOf = [&](const char *name) {
        struct stat status {};
        ::stat(QFile::encodeName(path(name)).constData(), &status);
        return status.st_mode & 07777;
    };
    const mode_t previous = ::umask(022);
    writeFile(path("plain.bin"), "data");
    ::chmod(QFile::encodeName(path("plain.bin")).constData(), 0664);
    EXPECT_EQ(engine.EncryptFile(path("plain.bin"), path("new.ECX"), QString()), VTrue);
    EXPECT_EQ(modeOf("new.ECX"), 0644u) << "a new file: 0666 less the umask";
    writeFile(path("out"), "older");
    ::chmod(QFile::encodeName(path("out")).constData(), 0640);
    EXPECT_EQ(engine.DecryptFile(path("new.ECX"), path("out"), QString()), VTrue);
    EXPECT_EQ(modeOf("out"), 0640u) << "a replaced file keeps its mode";
    ::chmod(QFile::encodeName(path("plain.bin")).constData(), 0600);
    EXPECT_EQ(engine.EncryptFile(path("plain.bin"), path("private.ECX"), QString()), VTrue);
    EXPECT_EQ(modeOf("private.ECX"), 0600u) << "a private source's copy stays private";
    ::umask(previous);
}

TEST_F(EngineFiles, NothingIsWrittenThroughATemporaryThatCannotBeLocked)
{
    // Unlocked, the temporary would look like a dead run's leftover to another run's sweep.
    writeFile(path("plain.bin"), "data");
    failLocks = true;
    const VBool result = engine.EncryptFile(path("plain.bin"), path("plain.bin.ECX"), QString());
    failLocks = false;
    EXPECT_EQ(result, VFalse);
    EXPECT_TRUE(engine.lastError().contains("cannot lock")) << engine.lastError().toStdString();
    EXPECT_EQ(folderEntries(dir.path()), QStringList{"plain.bin"});
}

TEST(CryptoStart, EveryUserOfTheEngineGetsTheCryptographyLibraryStarted)
{
    // A fresh process each: whoever started the library earlier in this one proves nothing.
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(
        {
            age::FileEngine engine;
            std::_Exit(sodium_init() == 1 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "")
        << "the file engine";
    EXPECT_EXIT(
        {
            (void)age::scryptWrapKey("key", age::Bytes(16), 1);
            std::_Exit(sodium_init() == 1 ? 0 : 1);
        },
        ::testing::ExitedWithCode(0), "")
        << "the key derivation alone";
}

TEST_F(EngineFiles, RoundTripsAtEverySizeThatMatters)
{
    for (qsizetype size : {0, 1, 65535, 65536, 65537, 1000000, 32 * 65536 + 7}) {
        const QByteArray content = randomContent(size);
        const QString ecx = encrypted(content);
        EXPECT_EQ(engine.DecryptFile(ecx, path("back.bin"), QString()), VTrue)
            << engine.lastError().toStdString();
        EXPECT_EQ(readFile(path("back.bin")), content) << size;
        EXPECT_EQ(readFile(path("plain.bin")), content) << "source changed";
        EXPECT_TRUE(engine.lastError().isEmpty());
    }
    EXPECT_EQ(folderEntries(dir.path()), QStringList({"back.bin", "plain.bin", "plain.bin.ECX"}));
}

TEST_F(EngineFiles, WritesWorkFactor18UnlessToldOtherwise)
{
    EncDec fresh;
    EXPECT_EQ(fresh.workFactor(), 18);
    fresh.setWorkFactor(23); // unreadable files are not written
    fresh.setWorkFactor(0);
    EXPECT_EQ(fresh.workFactor(), 18);
    fresh.setKey(keyStringFor("k"));
    writeFile(path("a"), "x");
    ASSERT_EQ(fresh.EncryptFile(path("a"), path("a.ECX"), QString()), VTrue);
    EXPECT_TRUE(readFile(path("a.ECX")).split('\n').value(1).endsWith(" 18"));
}

TEST_F(EngineFiles, EveryCharacterOfTheKeyCounts)
{
    const QString ecx = encrypted("secret");
    for (const char *other : {"h", "hunter", "hunter3", "hunter2 ", "Hunter2"}) {
        engine.setKey(keyStringFor(other));
        expectRefusedDecrypt(ecx, "wrong key");
    }
    engine.setKey(keyStringFor("hunter2"));
    EXPECT_EQ(engine.DecryptFile(ecx, path("out"), "ignored third"), VTrue);
    EXPECT_EQ(readFile(path("out")), "secret");
}

TEST_F(EngineFiles, DamagedFilesFailWithTheirReasonAndLeaveNothing)
{
    // Three full chunks: the last one is full, so a byte after it is data after the end.
    const QByteArray file = readFile(encrypted(randomContent(3 * 65536)));
    QByteArray flipped = file;
    flipped[flipped.size() - 70000] = char(flipped[flipped.size() - 70000] ^ 0x40);
    writeFile(path("flipped.ECX"), flipped);
    expectRefusedDecrypt(path("flipped.ECX"), "file damaged at offset");

    writeFile(path("cut.ECX"), file.left(file.size() - 65552 - 40));
    expectRefusedDecrypt(path("cut.ECX"), "file damaged at offset");
    writeFile(path("long.ECX"), file + "x");
    expectRefusedDecrypt(path("long.ECX"), "data after its end");
    writeFile(path("text.ECX"), "just some text\n");
    expectRefusedDecrypt(path("text.ECX"), "not an .ECX file");
    writeFile(path("empty.ECX"), "");
    expectRefusedDecrypt(path("empty.ECX"), "not an .ECX file");

    QByteArray header = file;
    header.replace(" 4\n", " 23\n");
    writeFile(path("slow.ECX"), header);
    expectRefusedDecrypt(path("slow.ECX"), "work factor too large");
}

TEST_F(EngineFiles, PathProblemsFailWithTheirReasonAndLeaveNothing)
{
    const QString ecx = encrypted("data");
    expectRefusedDecrypt(path("missing.ECX"), "file not found");
    expectRefusedDecrypt(dir.path(), "is a folder");
    writeFile(path("out"), "keep me");
    EXPECT_EQ(engine.EncryptFile(path("plain.bin"), path("no/such/folder/x.ECX"), QString()),
              VFalse);
    EXPECT_TRUE(engine.lastError().startsWith("folder missing"))
        << engine.lastError().toStdString();
    EXPECT_EQ(engine.EncryptFile(path("plain.bin"), QString(), QString()), VFalse);
    EXPECT_EQ(engine.lastError(), "empty destination path");
    EXPECT_EQ(engine.EncryptFile(path("plain.bin"), dir.path(), QString()), VFalse);
    EXPECT_TRUE(engine.lastError().contains("is a folder"));
    EncDec keyless;
    EXPECT_EQ(keyless.EncryptFile(path("plain.bin"), path("k.ECX"), QString()), VFalse);
    EXPECT_EQ(keyless.lastError(), "no key set");
    EXPECT_EQ(folderEntries(dir.path()), QStringList({"out", "plain.bin", "plain.bin.ECX"}));
}

TEST_F(EngineFiles, RefusesToWriteOverItsOwnSourceUnderAnyName)
{
    writeFile(path("same"), "original");
    ASSERT_EQ(
        ::symlink(path("same").toLocal8Bit().constData(), path("soft").toLocal8Bit().constData()),
        0);
    ASSERT_EQ(
        ::link(path("same").toLocal8Bit().constData(), path("hard").toLocal8Bit().constData()), 0);
    for (const char *destination : {"same", "soft", "hard"}) {
        EXPECT_EQ(engine.EncryptFile(path("same"), path(destination), QString()), VFalse)
            << destination;
        EXPECT_EQ(engine.lastError(), "source and destination are the same file");
        EXPECT_EQ(engine.DecryptFile(path("soft"), path(destination), QString()), VFalse)
            << destination;
    }
    EXPECT_EQ(readFile(path("same")), "original");
    EXPECT_EQ(folderEntries(dir.path()), QStringList({"hard", "same", "soft"}));
}

TEST_F(EngineFiles, ReplacesAnExistingDestinationOnlyOnSuccess)
{
    writeFile(path("plain.bin.ECX"), "older file");
    const QString ecx = encrypted("new content");
    EXPECT_NE(readFile(ecx), "older file");
    EXPECT_EQ(engine.DecryptFile(ecx, path("plain.bin"), QString()), VTrue);
    EXPECT_EQ(readFile(path("plain.bin")), "new content");
}

TEST_F(EngineFiles, ProgressRisesOnceThroughEachPercentOnTheCallersThread)
{
    ProgressLog log(engine);
    const QString ecx = encrypted(randomContent(8 * 1024 * 1024));
    expectSteadyRiseTo100(log.encrypt);
    EXPECT_GE(log.encrypt.size(), 3);
    ASSERT_EQ(engine.DecryptFile(ecx, path("back"), QString()), VTrue);
    expectSteadyRiseTo100(log.decrypt);

    log.encrypt.clear();
    encrypted({});
    EXPECT_EQ(log.encrypt, QList<qint16>({0, 100}));

    log.decrypt.clear();
    engine.setKey(keyStringFor("wrong"));
    EXPECT_EQ(engine.DecryptFile(ecx, path("back"), QString()), VFalse);
    EXPECT_TRUE(log.decrypt.isEmpty());
}

TEST_F(EngineFiles, VerifyReadsTheWholeFileAndWritesNothing)
{
    const QString ecx = encrypted(randomContent(300000));
    ProgressLog log(engine);
    EXPECT_TRUE(engine.VerifyFile(ecx));
    QByteArray damaged = readFile(ecx);
    damaged[damaged.size() - 1] = char(damaged[damaged.size() - 1] ^ 1);
    writeFile(path("damaged.ECX"), damaged);
    EXPECT_FALSE(engine.VerifyFile(path("damaged.ECX")));
    EXPECT_TRUE(engine.lastError().contains("file damaged at offset"));
    engine.setKey(keyStringFor("other"));
    EXPECT_FALSE(engine.VerifyFile(ecx));
    EXPECT_TRUE(log.decrypt.isEmpty() && log.encrypt.isEmpty());
    expectSteadyRiseTo100(log.verify.mid(0, log.verify.indexOf(100) + 1));
    EXPECT_EQ(folderEntries(dir.path()),
              QStringList({"damaged.ECX", "plain.bin", "plain.bin.ECX"}));
}

TEST_F(EngineFiles, FullDiskFailsCleanly)
{
    writeFile(path("big"), randomContent(3 * 1024 * 1024));
    writeFile(path("big.ECX"), "previous");
    // In a child whose files may not grow past 1 MB, as on a nearly full disk.
    const pid_t child = ::fork();
    if (child == 0) {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000000, 1000000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        const bool failed = engine.EncryptFile(path("big"), path("big.ECX"), QString()) == VFalse;
        const bool said = engine.lastError().contains("File too large");
        ::_exit(failed && said ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(readFile(path("big.ECX")), "previous");
    EXPECT_EQ(folderEntries(dir.path()), QStringList({"big", "big.ECX"}));
}

TEST_F(EngineFiles, OnlyTemporariesThatDeadRunsProvablyLeftAreRemoved)
{
    // A leftover carries its own inode number in its name; `live` is still locked by a writer.
    const auto leftover = [&](const QString &name) {
        writeFile(path(name), "left by a killed run");
        struct stat status;
        ::stat(QFile::encodeName(path(name)).constData(), &status);
        const QString proper = QString::fromStdString(age::temporaryNameFor(status.st_ino));
        QFile::rename(path(name), path(proper));
        return proper;
    };
    const QString dead = leftover("dead"), live = leftover("live"), source = leftover("source");
    const int lock = ::open(QFile::encodeName(path(live)).constData(), O_RDONLY);
    ASSERT_EQ(::flock(lock, LOCK_EX), 0);
    writeFile(path(".ecx-partial-lookalike"), "a user's file");
    writeFile(path(".ecx-partial-1-0123456789abcdef"), "names another inode");

    // The run reads one leftover: it is the source, so it stays.
    EXPECT_EQ(engine.EncryptFile(path(source), path("out.ECX"), QString()), VTrue);
    ::close(lock);
    QStringList expected{".ecx-partial-1-0123456789abcdef", ".ecx-partial-lookalike", live, source,
                         "out.ECX"};
    expected.sort();
    EXPECT_EQ(folderEntries(dir.path()), expected);
    EXPECT_FALSE(folderEntries(dir.path()).contains(dead));
}

TEST_F(EngineFiles, SpecialAndExistingDestinationsAreKeptWhenAsked)
{
    writeFile(path("plain.bin"), "data");
    ASSERT_EQ(::mkfifo(QFile::encodeName(path("fifo")).constData(), 0600), 0);
    EXPECT_EQ(engine.EncryptFile(path("plain.bin"), path("fifo"), QString()), VFalse);
    EXPECT_EQ(engine.lastError(), path("fifo") + " is not a regular file; it is left as it is");
    struct stat status;
    ASSERT_EQ(::lstat(QFile::encodeName(path("fifo")).constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));
    // A FIFO as the source is refused at once instead of waiting for a writer.
    EXPECT_EQ(engine.EncryptFile(path("fifo"), path("fifo.ECX"), QString()), VFalse);
    EXPECT_EQ(engine.lastError(), path("fifo") + " is not a regular file");

    writeFile(path("newer"), "keep");
    engine.setReplaceExisting(false);
    EXPECT_EQ(engine.EncryptFile(path("plain.bin"), path("newer"), QString()), VFalse);
    EXPECT_EQ(engine.lastError(), path("newer") + " already exists");
    EXPECT_EQ(readFile(path("newer")), "keep");
    EXPECT_EQ(engine.EncryptFile(path("plain.bin"), path("fresh.ECX"), QString()), VTrue);
    EXPECT_EQ(folderEntries(dir.path()), QStringList({"fifo", "fresh.ECX", "newer", "plain.bin"}));
}

} // namespace
