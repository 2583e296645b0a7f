#include "tests/TestPaths.h"
#include "tests/batch/TreeFixture.h"

#include <archive.h>
#include <archive_entry.h>
#include <csignal>
#include <sys/sysmacros.h>
#include <sys/wait.h>

#include "globals/engine/FileEngine.h"

namespace {

using batch::Action;
using batch::Packing;

const std::string key = "Corvantidekey";

struct TarEntry {
    std::string name;
    mode_t type = AE_IFREG;
    mode_t permissions = 0644;
    std::string content; // a symbolic link's target, or a hard link's when `hardLink`
    bool hardLink = false;
};

// A tar stream as a hostile tool could write it.
std::string tarOf(const std::vector<TarEntry> &entries)
{
    std::vector<char> buffer(1 << 20);
    size_t used = 0;
    struct archive *tar = archive_write_new();
    archive_write_set_format_pax_restricted(tar);
    archive_write_open_memory(tar, buffer.data(), buffer.size(), &used);
    for (const TarEntry &e : entries) {
        struct archive_entry *entry = archive_entry_new();
        archive_entry_set_pathname(entry, e.name.c_str());
        archive_entry_set_filetype(entry, e.type);
        archive_entry_set_perm(entry, e.permissions);
        if (e.hardLink)
            archive_entry_set_hardlink(entry, e.content.c_str());
        else if (e.type == AE_IFLNK)
            archive_entry_set_symlink(entry, e.content.c_str());
        else if (e.type == AE_IFCHR)
            archive_entry_set_rdev(entry, makedev(1, 3));
        const bool data = e.type == AE_IFREG && !e.hardLink;
        archive_entry_set_size(entry, data ? la_int64_t(e.content.size()) : 0);
        archive_write_header(tar, entry);
        if (data)
            archive_write_data(tar, e.content.data(), e.content.size());
        archive_entry_free(entry);
    }
    archive_write_close(tar);
    archive_write_free(tar);
    return {buffer.data(), used};
}

void encryptInto(const std::string &bytes, const std::string &path)
{
    age::FileEngine engine;
    engine.setKey(key);
    engine.setWorkFactor(10);
    age::MemorySource source({reinterpret_cast<const std::uint8_t *>(bytes.data()), bytes.size()});
    ASSERT_FALSE(engine.encrypt(source, bytes.size(), age::FileEnd::file(path)));
}

int runEcx(const std::vector<std::string> &args, int killAfterMs = -1)
{
    const pid_t child = ::fork();
    if (child == 0) {
        std::vector<char *> argv{const_cast<char *>(EC_ECX_PROGRAM)};
        for (const std::string &a : args)
            argv.push_back(const_cast<char *>(a.c_str()));
        argv.push_back(nullptr);
        ::execv(EC_ECX_PROGRAM, argv.data());
        ::_exit(127);
    }
    if (killAfterMs >= 0) {
        ::usleep(useconds_t(killAfterMs) * 1000);
        ::kill(child, SIGKILL);
    }
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

class Archives : public TreeFixture {
protected:
    void SetUp() override
    {
        ASSERT_EQ(::mkdir(at("work").c_str(), 0755), 0);
        ASSERT_EQ(::mkdir(at("outside").c_str(), 0755), 0);
        writeFile(at("outside/victim"), "original\n");
    }

    batch::BatchSummary extract(const std::string &archive,
                                batch::ReplaceAnswer answer = batch::ReplaceAnswer::No)
    {
        RecordingListener listener(answer);
        return runBatch(options(Action::Decrypt, Packing::Extract), {archive}, listener);
    }
};

TEST_F(Archives, AFolderComesBackWholeAndTarReadsTheArchive)
{
    const std::string tree = at("work/photos");
    for (const char *folder : {"", "/nested", "/nested/empty"})
        ASSERT_EQ(::mkdir((tree + folder).c_str(), 0750), 0);
    writeFile(tree + "/a b.jpg", std::string(300000, 'p'));
    writeFile(tree + "/nested/new\nline \xff", "odd name\n", 0640);
    ASSERT_EQ(::link((tree + "/a b.jpg").c_str(), (tree + "/nested/hard").c_str()), 0);
    ASSERT_EQ(::symlink("../a b.jpg", (tree + "/nested/link").c_str()), 0);
    const Snapshot original = snapshot(tree);

    RecordingListener listener;
    const auto summary = runBatch(options(Action::Encrypt, Packing::Archive), {tree}, listener);
    ASSERT_EQ(summary.handled, 1u);
    EXPECT_EQ(summary.outcomes.front().output, tree + ".tar.ECX");

    ASSERT_EQ(::rename(tree.c_str(), at("work/original").c_str()), 0);
    ASSERT_EQ(extract(tree + ".tar.ECX").handled, 1u);
    EXPECT_EQ(snapshot(tree), original);
    struct stat first, second;
    ::stat((tree + "/a b.jpg").c_str(), &first);
    ::stat((tree + "/nested/hard").c_str(), &second);
    EXPECT_EQ(first.st_ino, second.st_ino);

    // Without --extract the plaintext is the tar stream itself, for any tar.
    ASSERT_EQ(runBatch(options(Action::Decrypt, Packing::EachFile), {tree + ".tar.ECX"}, listener)
                  .handled,
              1u);
    ASSERT_EQ(::mkdir(at("tar").c_str(), 0755), 0);
    ASSERT_EQ(std::system(("tar -xf '" + tree + ".tar' -C '" + at("tar") + "'").c_str()), 0);
    EXPECT_EQ(snapshot(at("tar/photos")), original);
}

TEST_F(Archives, HostileArchivesChangeNothingOutsideTheNewFolder)
{
    const std::string victim = at("outside/victim");
    const std::vector<std::vector<TarEntry>> refused = {
        {{victim, AE_IFREG, 0644, "pwned"}},
        {{"../outside/victim", AE_IFREG, 0644, "pwned"}},
        {{"a/../../outside/victim", AE_IFREG, 0644, "pwned"}},
        {{"l", AE_IFLNK, 0777, at("outside")}, {"l/victim", AE_IFREG, 0644, "pwned"}},
        {{"l", AE_IFLNK, 0777, "../outside"}, {"l/new", AE_IFREG, 0644, "pwned"}},
        {{"h", AE_IFREG, 0644, "../outside/victim", true}},
        {{"h", AE_IFREG, 0644, victim, true}},
        {{"a", AE_IFREG, 0644, "first"}, {"a", AE_IFREG, 0644, "second"}},
        {{"d", AE_IFDIR, 0755, ""}, {"d", AE_IFREG, 0644, "over a folder"}},
        {{"a", AE_IFLNK, 0777, victim}, {"a", AE_IFREG, 0644, "through"}},
    };
    const Snapshot outside = snapshot(at("outside"));
    for (std::size_t i = 0; i < refused.size(); ++i) {
        const std::string archive = at("work/case" + std::to_string(i) + ".tar.ECX");
        encryptInto(tarOf(refused[i]), archive);
        const auto summary = extract(archive);
        EXPECT_EQ(summary.failed, 1u) << "case " << i;
        EXPECT_EQ(snapshot(at("work")).size(), i + 2) << "case " << i; // the archives alone
        EXPECT_EQ(snapshot(at("outside")), outside) << "case " << i;
    }

    // Left out or made harmless, the rest extracted.
    encryptInto(tarOf({{"dev", AE_IFCHR, 0666, ""},
                       {"pipe", AE_IFIFO, 0666, ""},
                       {"suid", AE_IFREG, 06777, "run me"},
                       {"sticky", AE_IFDIR, 01777, ""}}),
                at("work/special.tar.ECX"));
    ASSERT_EQ(extract(at("work/special.tar.ECX")).handled, 1u);
    const Snapshot special = snapshot(at("work/special"));
    EXPECT_EQ(
        special,
        (Snapshot{{"", "493 folder"}, {"/suid", "509 file run me"}, {"/sticky", "509 folder"}}));

    // A damaged last chunk: the whole archive fails and nothing appears.
    const std::string damaged = at("work/damaged.tar.ECX");
    encryptInto(tarOf({{"a", AE_IFREG, 0644, std::string(100000, 'a')}}), damaged);
    const int fd = ::open(damaged.c_str(), O_RDWR);
    struct stat status;
    ASSERT_EQ(::fstat(fd, &status), 0);
    char last = 0;
    ASSERT_EQ(::pread(fd, &last, 1, status.st_size - 1), 1);
    last ^= 1;
    ASSERT_EQ(::pwrite(fd, &last, 1, status.st_size - 1), 1);
    ::close(fd);
    EXPECT_EQ(extract(damaged).failed, 1u);
    EXPECT_FALSE(exists(at("work/damaged")));
}

TEST_F(Archives, AnExistingFolderIsReplacedOnlyWhenAllowedAndKilledRunsLeaveNothing)
{
    for (int i = 0; i < 40; ++i)
        writeFile(at("outside/f" + std::to_string(i)), std::string(256 * 1024, char('a' + i % 26)));
    const Snapshot files = snapshot(at("outside"));
    writeFile(at("key"), "k\n");
    const std::vector<std::string> archive{"encrypt", "--archive",     "-q", "--key-file",
                                           at("key"), "--work-factor", "14", at("outside")};
    // Killed at any moment: no archive, or a whole one.
    for (const int ms : {5, 30, 80}) {
        runEcx(archive, ms);
        EXPECT_EQ(snapshot(at("outside")), files);
        if (exists(at("outside.tar.ECX"))) {
            EXPECT_EQ(runEcx({"verify", "-q", "--key-file", at("key"), at("outside.tar.ECX")}), 0);
        }
        ::unlink(at("outside.tar.ECX").c_str());
    }
    ASSERT_EQ(runEcx(archive), 0);

    writeFile(at("work/outside"), "in the way");
    EXPECT_EQ(runEcx({"decrypt", "--extract", "-q", "--key-file", at("key"), "-o",
                      at("work/outside"), at("outside.tar.ECX")}),
              1);
    EXPECT_EQ(readFile(at("work/outside")), "in the way");
    const std::vector<std::string> extraction{"decrypt", "--extract",        "-q",
                                              "-f",      "--key-file",       at("key"),
                                              "-o",      at("work/outside"), at("outside.tar.ECX")};
    for (const int ms : {20, 60, 120}) {
        runEcx(extraction, ms);
        const Snapshot now = snapshot(at("work/outside"));
        EXPECT_TRUE(now == files || readFile(at("work/outside")) == "in the way") << ms;
    }
    ASSERT_EQ(runEcx(extraction), 0);
    EXPECT_EQ(snapshot(at("work/outside")), files);
    // The next extraction swept what the killed ones left beside the destination.
    EXPECT_EQ(snapshot(at("work")).size(), files.size() + 1);
}

} // namespace
