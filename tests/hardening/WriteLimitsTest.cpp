// A file-size limit and a full file system: encryption and decryption fail with the
// system's reason, leave nothing behind and keep the source.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/statvfs.h>
#include <unistd.h>

#include "globals/engine/EncDec.h"
#include "globals/filerules/KeyString.h"
#include "tests/hardening/HardeningSupport.h"

using namespace hardening;

namespace {

constexpr int skipped = 77;

class WriteLimits : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(folder.isValid());
        engine.setKey(keyStringFor("hunter2"));
        engine.setWorkFactor(1);
    }

    QString at(const QString &name) const { return folder.filePath(name); }

    // Encrypts and decrypts under `limit` (in a child, so the limit ends with it); the child
    // reports whether both failed naming `reason`, kept their sources and left only them.
    int bothFailUnder(const std::function<void()> &limit, const QString &in, const QString &reason)
    {
        const QByteArray plain = readFile(in + "/plain.bin"), sealed = readFile(in + "/sealed.ECX");
        return runInChild([&] {
                   limit();
                   const QStringList before = folderEntries(in);
                   const bool encryptFailed =
                       engine.EncryptFile(in + "/plain.bin", in + "/plain.bin.ECX", {}) == VFalse &&
                       engine.lastError().contains(reason);
                   const bool decryptFailed =
                       engine.DecryptFile(in + "/sealed.ECX", in + "/sealed", {}) == VFalse &&
                       engine.lastError().contains(reason);
                   const bool untouched = readFile(in + "/plain.bin") == plain &&
                                          readFile(in + "/sealed.ECX") == sealed &&
                                          folderEntries(in) == before;
                   return encryptFailed && decryptFailed && untouched ? 0 : 1;
               })
            .status;
    }

    // plain.bin and its encrypted copy sealed.ECX in `in`.
    void prepareInputs(const QString &in, qsizetype size)
    {
        writeFile(in + "/plain.bin", randomBytes(size, 3));
        ASSERT_EQ(engine.EncryptFile(in + "/plain.bin", in + "/sealed.ECX", {}), VTrue);
    }

    QTemporaryDir folder;
    EncDec engine;
};

TEST_F(WriteLimits, FileSizeLimitFailsBothDirectionsCleanly)
{
    prepareInputs(folder.path(), 3 * 1024 * 1024);
    const auto limitTo1MB = [] {
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{1000000, 1000000};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    };
    EXPECT_EQ(bothFailUnder(limitTo1MB, folder.path(), "File too large"), 0);
    EXPECT_EQ(folderEntries(folder.path()), QStringList({"plain.bin", "sealed.ECX"}));
}

TEST_F(WriteLimits, FullFileSystemFailsBothDirectionsCleanly)
{
    // A small memory file system of its own, seen only by the child that mounted it.
    const QString mountPoint = at("small");
    ASSERT_TRUE(QDir().mkpath(mountPoint));
    const int status =
        runInChild([&] {
            if (::unshare(CLONE_NEWNS) != 0 ||
                ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0 ||
                ::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0,
                        "size=8m") != 0)
                return skipped;
            prepareInputs(mountPoint, 1536 * 1024);
            // Leave 256 KiB free: less than either output needs.
            struct statvfs room {};
            ::statvfs(QFile::encodeName(mountPoint).constData(), &room);
            writeFile(mountPoint + "/filler",
                      QByteArray(qsizetype(room.f_bavail * room.f_frsize) - 256 * 1024, 'f'));
            if (bothFailUnder([] {}, mountPoint, "No space left on device") != 0)
                return 1;
            // With room again the same runs succeed, so the failures above were the full disk's.
            QFile::remove(mountPoint + "/filler");
            return engine.EncryptFile(mountPoint + "/plain.bin", mountPoint + "/plain.bin.ECX",
                                      {}) == VTrue &&
                           engine.DecryptFile(mountPoint + "/sealed.ECX", mountPoint + "/sealed",
                                              {}) == VTrue &&
                           readFile(mountPoint + "/sealed") == readFile(mountPoint + "/plain.bin")
                       ? 0
                       : 2;
        }).status;
    if (status == skipped)
        GTEST_SKIP() << "mounting a small file system is not permitted here";
    EXPECT_EQ(status, 0)
        << "1: a full disk was not handled cleanly; 2: the runs fail even with room";
    EXPECT_TRUE(folderEntries(mountPoint).isEmpty())
        << "the small file system stayed with the child";
}

} // namespace
