#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>
#include <unistd.h>

#include "globals/engine/FileEngine.h"
#include "globals/filerules/SafeDelete.h"

namespace {

class SafeDelete : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        engine.setKey("Corvantidehunter2");
        engine.setWorkFactor(4);
        write("plain", "version one\n");
    }
    std::string path(const char *name) const
    {
        return QFile::encodeName(dir.filePath(name)).toStdString();
    }
    void write(const char *name, const QByteArray &bytes,
               QIODevice::OpenMode mode = QIODevice::WriteOnly)
    {
        QFile file(dir.filePath(name));
        ASSERT_TRUE(file.open(mode));
        file.write(bytes);
    }
    bool exists(const char *name) const { return QFile::exists(dir.filePath(name)); }

    // Encrypts plain into plain.ECX; the record of that run.
    age::RunRecord encrypted()
    {
        EXPECT_FALSE(engine.encrypt(age::FileEnd::file(path("plain")),
                                    age::FileEnd::file(path("plain.ECX"))));
        return engine.lastRun();
    }

    std::function<age::Failure()> verifier(const age::RunRecord &run)
    {
        return [this, run] { return engine.verify(run.output, {}, run.outputIdentity); };
    }

    QTemporaryDir dir;
    age::FileEngine engine;
};

TEST_F(SafeDelete, DeletesTheVerifiedSourceThatIsStillTheFileThatWasRead)
{
    const age::RunRecord run = encrypted();
    const SafeDeleteResult result = deleteSourceSafely(run, verifier(run));
    EXPECT_EQ(result.end, SafeDeleteEnd::Deleted) << result.message;
    EXPECT_FALSE(exists("plain"));
    EXPECT_TRUE(exists("plain.ECX"));
}

TEST_F(SafeDelete, KeepsASourceThatWasAppendedToReplacedOrIsALink)
{
    age::RunRecord run = encrypted();
    write("plain", "one more line\n", QIODevice::Append);
    SafeDeleteResult result = deleteSourceSafely(run, verifier(run));
    EXPECT_EQ(result.end, SafeDeleteEnd::SourceKept);
    EXPECT_EQ(result.message, path("plain") + " was replaced or changed since it was read; " +
                                  path("plain") + " kept");

    run = encrypted();
    write("newer", "version two\n");
    ASSERT_EQ(::rename(path("newer").c_str(), path("plain").c_str()), 0); // as mv does
    EXPECT_EQ(deleteSourceSafely(run, verifier(run)).end, SafeDeleteEnd::SourceKept);
    EXPECT_TRUE(exists("plain"));

    ASSERT_EQ(::rename(path("plain").c_str(), path("target").c_str()), 0);
    ASSERT_EQ(::symlink("target", path("plain").c_str()), 0);
    run = encrypted();
    result = deleteSourceSafely(run, verifier(run));
    EXPECT_EQ(result.end, SafeDeleteEnd::SourceKept);
    EXPECT_NE(result.message.find("is a symbolic link"), std::string::npos);
    EXPECT_TRUE(exists("plain") && exists("target"));
}

TEST_F(SafeDelete, AnOutputThatFailsItsCheckIsRemovedAndTheSourceKept)
{
    const age::RunRecord run = encrypted();
    const SafeDeleteResult result = deleteSourceSafely(run, [] {
        return age::Failure{age::FailureKind::PayloadDamaged, {}, 9};
    });
    EXPECT_EQ(result.end, SafeDeleteEnd::OutputUnverified);
    EXPECT_EQ(result.message, path("plain.ECX") +
                                  " did not verify (file damaged at offset 9) and was removed; " +
                                  path("plain") + " kept");
    EXPECT_FALSE(exists("plain.ECX"));
    EXPECT_TRUE(exists("plain"));
}

TEST_F(SafeDelete, AnOutputChangedAfterItWasWrittenProvesNothing)
{
    age::RunRecord run = encrypted();
    write("plain.ECX", "x", QIODevice::Append);
    EXPECT_EQ(deleteSourceSafely(run, verifier(run)).end, SafeDeleteEnd::SourceKept);
    EXPECT_TRUE(exists("plain") && exists("plain.ECX")) << "a file it did not write stays";

    // The check itself refuses a file other than the one written, even without the rule.
    run = encrypted();
    write("other.ECX", "");
    ASSERT_EQ(::rename(path("other.ECX").c_str(), path("plain.ECX").c_str()), 0);
    EXPECT_TRUE(engine.verify(run.output, {}, run.outputIdentity));
    EXPECT_TRUE(exists("plain"));
}

TEST_F(SafeDelete, AnOutputRemovedOrReplacedDuringItsCheckKeepsTheSource)
{
    for (const bool replace : {false, true}) {
        write("plain", "version one\n");
        write("newer.ECX", "someone else's file");
        const age::RunRecord run = encrypted();
        const SafeDeleteResult result = deleteSourceSafely(run, [&] {
            const age::Failure verified = verifier(run)();
            // Another process takes the output away once the check has opened it.
            if (replace)
                ::rename(path("newer.ECX").c_str(), path("plain.ECX").c_str());
            else
                ::unlink(path("plain.ECX").c_str());
            return verified;
        });
        EXPECT_EQ(result.end, SafeDeleteEnd::SourceKept) << replace;
        EXPECT_EQ(result.message, path("plain.ECX") +
                                      " was removed or replaced while it was checked; " +
                                      path("plain") + " kept");
        EXPECT_TRUE(exists("plain"));
    }
}

} // namespace
