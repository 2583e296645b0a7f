#include "tests/batch/TreeFixture.h"
#include "tests/support/WithoutPermissionOverride.h"

#include <algorithm>
#include <memory>
#include <sys/stat.h>

namespace {

using batch::Action;
using batch::Packing;

class BatchRunTree : public TreeFixture {};

TEST_F(BatchRunTree, RecursiveRunsBothWaysRestoreEveryByteAndTouchNothingElse)
{
    const std::string tree = at("tree");
    for (const char *folder : {"", "/nested", "/nested/deeper", "/empty"})
        ASSERT_EQ(::mkdir((tree + folder).c_str(), 0755), 0);
    writeFile(tree + "/top.txt", "top\n", 0600);
    writeFile(tree + "/nested/deeper/with space.txt", std::string(200000, 'x'), 0600);
    writeFile(tree + "/nested/new\nline", "newline\n", 0600);
    writeFile(tree + "/nested/\xff\xfe bytes", "not UTF-8\n", 0600);
    writeFile(tree + "/already.bin", "age-encryption.org/v1\n-> scrypt\n", 0600);
    writeFile(tree + "/closed.txt", "unreadable\n", 0000);
    ASSERT_EQ(::link((tree + "/top.txt").c_str(), (tree + "/hard").c_str()), 0);
    ASSERT_EQ(::symlink("../nested", (tree + "/nested/loop").c_str()), 0);
    ASSERT_EQ(::symlink("top.txt", (tree + "/link-to-top").c_str()), 0);
    ASSERT_EQ(::mkfifo((tree + "/fifo").c_str(), 0600), 0);
    const Snapshot before = snapshot(tree);

    auto unprivileged = std::make_unique<WithoutPermissionOverride>();
    ASSERT_TRUE(unprivileged->active() || ::geteuid() != 0);
    RecordingListener listener;
    auto encrypt = options(Action::Encrypt, Packing::EachFile, true);
    encrypt.deleteSources = true;
    const batch::BatchSummary encrypted = runBatch(encrypt, {tree}, listener);
    // Five plaintexts; the loop, the link, the FIFO and the age file left alone; one unreadable.
    EXPECT_EQ(encrypted.handled, 5u);
    EXPECT_EQ(encrypted.skipped, 4u);
    ASSERT_EQ(encrypted.failed, 1u);
    const auto unreadable =
        std::find_if(encrypted.outcomes.begin(), encrypted.outcomes.end(),
                     [](const auto &o) { return o.result == batch::FileResult::Failed; });
    EXPECT_NE(unreadable->path.find("closed.txt"), std::string::npos);
    EXPECT_FALSE(exists(tree + "/top.txt"));
    EXPECT_TRUE(exists(tree + "/nested/new\nline.ECX"));
    EXPECT_EQ(listener.last.doneBytes, listener.last.totalBytes);

    auto decrypt = options(Action::Decrypt, Packing::EachFile, true);
    decrypt.deleteSources = true;
    const batch::BatchSummary decrypted = runBatch(decrypt, {tree}, listener);
    EXPECT_EQ(decrypted.handled, 5u);
    EXPECT_EQ(decrypted.failed, 0u);
    unprivileged.reset();
    EXPECT_EQ(snapshot(tree), before);
    EXPECT_TRUE(listener.asked.empty());
}

// Stops from inside the run, as a window's worker thread is told to.
class StoppingListener : public RecordingListener {
public:
    using RecordingListener::RecordingListener;
    void fileDone(const batch::FileOutcome &) override
    {
        if (run)
            run->requestStop();
    }
    batch::BatchRun *run = nullptr;
};

TEST_F(BatchRunTree, ToAllAnswersAreAskedOnceAndAStopEndsAfterTheCurrentFile)
{
    for (const char *name : {"a", "b", "c"})
        writeFile(at(name), name);
    writeFile(at("a.ECX"), "kept");
    writeFile(at("b.ECX"), "kept");
    RecordingListener keepAll(batch::ReplaceAnswer::NoToAll);
    const auto encrypt = options(Action::Encrypt, Packing::EachFile);
    const batch::BatchSummary kept = runBatch(encrypt, {at("a"), at("b"), at("c")}, keepAll);
    EXPECT_EQ(keepAll.asked.size(), 1u);
    EXPECT_EQ(kept.failed, 2u);
    EXPECT_EQ(kept.outcomes.front().cause, batch::FailureCause::OutputExists);
    EXPECT_EQ(readFile(at("b.ECX")), "kept");

    ::unlink(at("c.ECX").c_str());
    StoppingListener stopper(batch::ReplaceAnswer::YesToAll);
    batch::BatchRun run(encrypt, {at("a"), at("b"), at("c")});
    stopper.run = &run;
    ASSERT_EQ(run.plan(stopper), 3u);
    run.setKey("Corvantidekey");
    const batch::BatchSummary &stopped = run.run(stopper);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(stopped.handled, 1u);
    EXPECT_NE(readFile(at("a.ECX")), "kept");
    EXPECT_EQ(readFile(at("b.ECX")), "kept");
    EXPECT_FALSE(exists(at("c.ECX")));
}

TEST_F(BatchRunTree, AFileReplacedByAFifoAfterTheListingIsNotOpened)
{
    ASSERT_EQ(::mkdir(at("box").c_str(), 0755), 0);
    writeFile(at("box/soon a pipe"), "data");
    RecordingListener listener;
    batch::BatchRun run(options(Action::Encrypt, Packing::EachFile, true), {at("box")});
    ASSERT_EQ(run.plan(listener), 1u);
    ASSERT_EQ(::unlink(at("box/soon a pipe").c_str()), 0);
    ASSERT_EQ(::mkfifo(at("box/soon a pipe").c_str(), 0600), 0);
    run.setKey("Corvantidekey");
    EXPECT_EQ(run.run(listener).failed, 1u); // instead of waiting forever in open()
}

} // namespace
