// Odd inputs to the real window's File tab: a folder or a FIFO as the file, a file that vanishes between
// browsing and encrypting, a name with spaces and non-ASCII letters, an empty file, and (only
// when EC_HUGE_FILE_TEST is set) a sparse file larger than 4 GiB.
#include "tests/support/WindowFixture.h"

#include "button/VTButton.h"
#include "globals/engine/EncDec.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Works in a folder of its own: the fixture keeps its registry store in the temporary folder.
class OddInputs : public WindowFixture {
protected:
    void SetUp() override
    {
        WindowFixture::SetUp();
        ASSERT_TRUE(QDir(folder.path()).mkdir("files"));
    }
    QString at(const QString &name) const { return pathOf("files/" + name); }
    QStringList entries() const
    {
        return QDir(pathOf("files"))
            .entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    }
};

QByteArray sha256Of(const QString &path)
{
    QFile file(path);
    QCryptographicHash hash(QCryptographicHash::Sha256);
    return file.open(QIODevice::ReadOnly) && hash.addData(&file) ? hash.result() : QByteArray();
}

TEST_F(OddInputs, AFolderTypedAsTheFileIsAskedAboutAndAFifoIsRefusedWithoutBlocking)
{
    ASSERT_TRUE(QDir(pathOf("files")).mkpath("papers/inner"));
    ASSERT_TRUE(QDir(pathOf("files")).mkpath("old.ECX"));
    run(encrypt(), "secret", at("papers"), true);
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_TRUE(choices[0].text.startsWith("Encrypt the folder papers (0 files"));
    EXPECT_TRUE(messages.empty()) << "closing the question cancels";
    run(decrypt(), "secret", at("old.ECX"), true);
    EXPECT_EQ(onlyMessage().text, "No .ECX file was found.");
    EXPECT_TRUE(QFileInfo(at("papers/inner")).isDir());
    EXPECT_EQ(entries(), QStringList({"old.ECX", "papers"}));

    // Opening a FIFO would wait for a writer: it is refused before anything opens it.
    ASSERT_EQ(::mkfifo(QFile::encodeName(at("pipe")).constData(), 0600), 0);
    run(encrypt(), "secret", at("pipe"), true);
    EXPECT_EQ(onlyMessage().text, at("pipe") + " is not a regular file. Ember Coffer does not "
                                               "read pipes, sockets or devices.");
    EXPECT_EQ(encrypt()->fileBox()->text(), at("pipe"));
    EXPECT_EQ(entries(), QStringList({"old.ECX", "papers"})) << "nothing was written";
}

TEST_F(OddInputs, AFileThatVanishesAfterBrowsingFailsWithoutLeavingAnything)
{
    writeFile("files/fleeting.txt", "here a moment ago");
    browseAnswer = at("fleeting.txt");
    QTest::mouseClick(encrypt()->browseButton(), Qt::LeftButton);
    ASSERT_EQ(encrypt()->fileBox()->text(), at("fleeting.txt"));
    ASSERT_TRUE(QFile::remove(at("fleeting.txt")));
    encrypt()->keyBox()->setText("secret");
    deleteBox(encrypt())->setChecked(true);
    press(encrypt());
    EXPECT_EQ(onlyMessage().text, "Can't Encrypt File.");
    EXPECT_TRUE(entries().isEmpty());
    EXPECT_EQ(bar()->value(), 0);
}

TEST_F(OddInputs, NamesWithSpacesAndNonAsciiLettersAndEmptyFilesRoundTrip)
{
    const QByteArray content = "Zürich, Malmö, 東京 — figures\n";
    const QStringList names{QString::fromUtf8("Rapport d’été – ünï 東京.txt"),
                            "  leading and trailing  .txt", "empty file"};
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        const QByteArray bytes = name == "empty file" ? QByteArray() : content;
        writeFile("files/" + name, bytes);
        run(encrypt(), QString::fromUtf8("clé secrète"), at(name), true);
        EXPECT_EQ(onlyMessage().text, "Encrypt File is Done!");
        EXPECT_FALSE(QFile::exists(at(name)));
        run(decrypt(), QString::fromUtf8("clé secrète"), at(name + ".ECX"), true);
        EXPECT_EQ(onlyMessage().text, "Decrypt File is Done!");
        EXPECT_TRUE(QFile::exists(at(name)));
        EXPECT_EQ(readFile("files/" + name), bytes);
        EXPECT_FALSE(QFile::exists(at(name + ".ECX")));
    }
}

TEST_F(OddInputs, FilesLargerThanFourGibibytesRoundTrip)
{
    if (qEnvironmentVariableIsEmpty("EC_HUGE_FILE_TEST"))
        GTEST_SKIP()
            << "set EC_HUGE_FILE_TEST=1 to run (needs about 9 GB of disk and a few minutes)";
    const qint64 size = (qint64(4) << 30) + 65536 + 17;
    {
        QFile sparse(at("huge.bin"));
        ASSERT_TRUE(sparse.open(QIODevice::WriteOnly));
        ASSERT_TRUE(sparse.resize(size));
        ASSERT_TRUE(sparse.seek(size - 5));
        sparse.write("tail!");
    }
    const QByteArray digest = sha256Of(at("huge.bin"));
    int highest = 0;
    QObject::connect(bar(), &QProgressBar::valueChanged,
                     [&](int value) { highest = std::max(highest, value); });
    run(encrypt(), "secret", at("huge.bin"), true);
    EXPECT_EQ(onlyMessage().text, "Encrypt File is Done!");
    EXPECT_EQ(highest, 100);
    EXPECT_FALSE(QFile::exists(at("huge.bin")));
    run(decrypt(), "secret", at("huge.bin.ECX"), true);
    EXPECT_EQ(onlyMessage().text, "Decrypt File is Done!");
    EXPECT_EQ(QFileInfo(at("huge.bin")).size(), size);
    EXPECT_EQ(sha256Of(at("huge.bin")), digest);
}

} // namespace
