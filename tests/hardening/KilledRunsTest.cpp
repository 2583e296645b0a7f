// `ecx encrypt --delete` and `ecx decrypt --delete` killed with SIGKILL at many points of a
// multi-megabyte run: the source survives, the destination is either what it was before or
// complete and correct, and the next run in the folder leaves no temporary behind.
#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <csignal>
#include <sys/wait.h>
#include <unistd.h>

#include "globals/engine/EncDec.h"
#include "globals/filerules/KeyString.h"
#include "tests/TestPaths.h"
#include "tests/hardening/HardeningSupport.h"

using namespace hardening;

namespace {

constexpr qsizetype sourceSize = 6 * 1024 * 1024;
constexpr int pointsPerPhase = 12;

enum class Phase { Writing, ReadingBack };

struct KillPoint {
    Phase phase;
    qint64 bytes; // kill once the run has written (or read) this many bytes
};

class KilledRuns : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(work.isValid() && keys.isValid() && scratch.isValid());
        writeFile(keyFile(), "hunter2\n");
        engine.setKey(keyStringFor("hunter2"));
        engine.setWorkFactor(1);
    }

    QString at(const QString &name) const { return work.filePath(name); }
    QString keyFile() const { return keys.filePath("key"); }

    QStringList ecxArguments(const QString &verb, const QString &file) const
    {
        QStringList arguments{verb,      file,         "--delete", "--force",
                              "--quiet", "--key-file", keyFile()};
        if (verb == "encrypt")
            arguments << "--work-factor"
                      << "10";
        return arguments;
    }

    // Runs ecx and kills it at `point`; true when the kill came before the run had ended.
    bool runAndKill(const QStringList &arguments, const KillPoint &point)
    {
        const pid_t child = startProgram(EC_ECX_PROGRAM, arguments);
        EXPECT_GT(child, 0);
        int status = 0;
        for (;;) {
            if (::waitpid(child, &status, WNOHANG) == child)
                return false; // it ended by itself first
            const qint64 done =
                point.phase == Phase::Writing ? bytesWritten(child) : bytesRead(child);
            if (done >= point.bytes)
                break;
            ::usleep(100);
        }
        ::kill(child, SIGKILL);
        return waitForExit(child) == -1;
    }

    // The plaintext of the .ECX file at `path`, or "<unreadable>".
    QByteArray openedWithTheKey(const QString &path)
    {
        const QString out = scratch.filePath("check");
        QFile::remove(out);
        if (engine.DecryptFile(path, out, QString()) != VTrue)
            return "<unreadable>";
        return readFile(out);
    }

    // A complete run of another file in the same folder: it clears what dead runs left.
    void runAnotherFileToTheEnd()
    {
        writeFile(at("other.txt"), "other");
        const pid_t child = startProgram(EC_ECX_PROGRAM, ecxArguments("encrypt", at("other.txt")));
        ASSERT_EQ(waitForExit(child), 0);
        QFile::remove(at("other.txt.ECX"));
    }

    void expectOnlyOurFilesLeft(const QStringList &allowed)
    {
        for (const QString &entry : folderEntries(work.path()))
            EXPECT_TRUE(allowed.contains(entry)) << "stray file: " << entry.toStdString();
    }

    static std::vector<KillPoint> killPoints(bool withReadBack)
    {
        std::vector<KillPoint> points;
        for (int i = 0; i < pointsPerPhase; ++i)
            points.push_back({Phase::Writing, sourceSize * i / pointsPerPhase});
        // Encryption reads the source once, then reads the new file back before deleting.
        if (withReadBack)
            for (int i = 1; i <= pointsPerPhase / 2; ++i)
                points.push_back(
                    {Phase::ReadingBack, sourceSize + sourceSize * i / (pointsPerPhase / 2)});
        points.push_back(
            {Phase::Writing, std::numeric_limits<qint64>::max()}); // never: the run ends
        return points;
    }

    // One direction of the runs: which file is read, which one is written, and what the
    // written one must hold when it is complete.
    struct Direction {
        QString verb, source, destination;
        QByteArray sourceBytes;
        std::function<QByteArray(const QString &)> contentOf;
    };

    // Kills a run at every point; returns how many kills came before the run had ended.
    int killAtEveryPoint(const Direction &d, const std::vector<KillPoint> &points)
    {
        int killedMidway = 0, index = 0;
        for (const KillPoint &point : points) {
            SCOPED_TRACE("kill point " + std::to_string(index));
            // Every other run finds an older file under the destination name.
            const bool hadPrevious = index++ % 2 == 1;
            writeFile(at(d.source), d.sourceBytes);
            if (hadPrevious)
                writeFile(at(d.destination), previous);
            killedMidway += runAndKill(ecxArguments(d.verb, at(d.source)), point);
            expectNothingLost(d, hadPrevious);
            runAnotherFileToTheEnd();
            expectOnlyOurFilesLeft({"plan.txt", "plan.txt.ECX", "other.txt"});
            QFile::remove(at(d.destination));
        }
        RecordProperty("killed_midway", killedMidway);
        RecordProperty("runs", int(points.size()));
        return killedMidway;
    }

    void expectNothingLost(const Direction &d, bool hadPrevious)
    {
        const bool sourceLeft = QFile::exists(at(d.source));
        if (sourceLeft) {
            EXPECT_EQ(readFile(at(d.source)), d.sourceBytes) << "the source was changed";
        }
        if (!QFile::exists(at(d.destination))) {
            EXPECT_FALSE(hadPrevious) << "the older destination vanished";
            EXPECT_TRUE(sourceLeft) << "source deleted without its counterpart";
        } else if (!hadPrevious || readFile(at(d.destination)) != previous) {
            EXPECT_EQ(d.contentOf(at(d.destination)), original) << "incomplete destination";
        }
    }

    QTemporaryDir work, keys, scratch;
    EncDec engine;
    const QByteArray original = randomBytes(sourceSize, 7);
    const QByteArray previous = "an older file under the destination name";
};

TEST_F(KilledRuns, EncryptWithDeleteLosesNothingWhereverItIsKilled)
{
    const Direction encrypting{"encrypt", "plan.txt", "plan.txt.ECX", original,
                               [this](const QString &path) { return openedWithTheKey(path); }};
    EXPECT_GE(killAtEveryPoint(encrypting, killPoints(true)), pointsPerPhase / 2)
        << "most kills should land inside the run";
}

TEST_F(KilledRuns, DecryptWithDeleteLosesNothingWhereverItIsKilled)
{
    writeFile(at("plan.txt"), original);
    ASSERT_EQ(engine.EncryptFile(at("plan.txt"), scratch.filePath("plan.txt.ECX"), QString()),
              VTrue);
    QFile::remove(at("plan.txt"));
    const Direction decrypting{"decrypt", "plan.txt.ECX", "plan.txt",
                               readFile(scratch.filePath("plan.txt.ECX")),
                               [](const QString &path) { return readFile(path); }};
    EXPECT_GE(killAtEveryPoint(decrypting, killPoints(false)), pointsPerPhase / 2)
        << "most kills should land inside the run";
}

} // namespace
