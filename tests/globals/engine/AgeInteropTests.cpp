// Files go both ways between EncDec and the `age` tool, which reads passphrases only from
// a terminal and is therefore driven through a pseudo-terminal.
#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "globals/engine/EncDec.h"
#include "globals/engine/FileEngine.h"
#include "globals/filerules/KeyString.h"
#include "harness/PtyRun.h"
#include "tests/globals/engine/EngineTestFiles.h"

namespace {

const QString typedKey = QStringLiteral("correct horse ünïcødé");

std::string local(const QString &path) { return path.toLocal8Bit().toStdString(); }

class AgeInterop : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(dir.isValid());
        engine.setKey(keyStringFor(typedKey));
        content = randomContent(GetParam());
        writeFile(dir.filePath("plain"), content);
    }
    std::string passphrase() const { return keyStringFor(typedKey).toStdString(); }

    QTemporaryDir dir;
    EncDec engine;
    QByteArray content;
};

TEST_P(AgeInterop, AgeDecryptsWhatTheEngineWrites)
{
    engine.setWorkFactor(10);
    ASSERT_EQ(engine.EncryptFile(dir.filePath("plain"), dir.filePath("plain.ECX"), QString()),
              VTrue);
    std::string transcript;
    const int status = runWithPassphrase(
        {"age", "-d", "-o", local(dir.filePath("back")), local(dir.filePath("plain.ECX"))},
        passphrase(), &transcript);
    ASSERT_EQ(status, 0) << transcript;
    EXPECT_EQ(readFile(dir.filePath("back")), content);
}

TEST_P(AgeInterop, EngineDecryptsWhatAgeWrites)
{
    std::string transcript;
    const int status = runWithPassphrase(
        {"age", "-p", "-o", local(dir.filePath("plain.age")), local(dir.filePath("plain"))},
        passphrase(), &transcript);
    ASSERT_EQ(status, 0) << transcript;
    ASSERT_EQ(engine.DecryptFile(dir.filePath("plain.age"), dir.filePath("back"), QString()), VTrue)
        << engine.lastError().toStdString();
    EXPECT_EQ(readFile(dir.filePath("back")), content);
}

TEST_P(AgeInterop, ArmoredFilesGoBothWays)
{
    std::string transcript;
    ASSERT_EQ(runWithPassphrase({"age", "-a", "-p", "-o", local(dir.filePath("age.txt")),
                                 local(dir.filePath("plain"))},
                                passphrase(), &transcript),
              0)
        << transcript;
    age::FileEngine files;
    files.setKey(passphrase());
    files.setWorkFactor(10);
    const auto at = [&](const char *name) { return age::FileEnd::file(local(dir.filePath(name))); };
    const age::Failure opened = files.decrypt(at("age.txt"), at("back"));
    ASSERT_FALSE(opened) << opened.message();
    EXPECT_EQ(readFile(dir.filePath("back")), content);

    files.setArmor(true);
    ASSERT_FALSE(files.encrypt(at("plain"), at("ours.txt")));
    ASSERT_EQ(runWithPassphrase({"age", "-d", "-o", local(dir.filePath("back2")),
                                 local(dir.filePath("ours.txt"))},
                                passphrase(), &transcript),
              0)
        << transcript;
    EXPECT_EQ(readFile(dir.filePath("back2")), content);
}

INSTANTIATE_TEST_SUITE_P(Sizes, AgeInterop, ::testing::Values(0, 1, 65535, 65536, 65537, 1000000));

} // namespace
