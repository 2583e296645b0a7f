// Runs of several files and folders in the real window, driven on its worker thread through
// the batch library: one key, one message, the folder question, and a run stopped half-way.
#include "tests/support/WindowFixture.h"

#include "app/FileTab.h"
#include "globals/engine/EncDec.h"
#include "globals/filerules/KeyString.h"

#include <QDir>
#include <QFile>
#include <QTest>

namespace {

const QByteArray content = QByteArray("Holiday photo bytes.\n").repeated(5000);

class SeveralFiles : public WindowFixture {
protected:
    // Writes IMG_0001.jpg ... into `where` and returns their paths.
    QStringList writeFiles(const QString &where, int count)
    {
        QStringList paths;
        for (int i = 1; i <= count; ++i) {
            const QString name =
                QStringLiteral("%1/IMG_%2.jpg").arg(where).arg(i, 4, 10, QChar('0'));
            writeFile(name, content);
            paths << pathOf(name);
        }
        return paths;
    }
};

TEST_F(SeveralFiles, ThreeFilesTakeOneKeyAndEndInOneMessage)
{
    QDir(folder.path()).mkdir("given");
    const QStringList paths = writeFiles("given", 3);
    encrypt()->setPaths(paths);
    EXPECT_EQ(encrypt()->fileBox()->text().toStdString(),
              "3 files, 315.0 kB: IMG_0001.jpg, IMG_0002.jpg, IMG_0003.jpg");
    encrypt()->keyBox()->setText("secret");
    // The bar covers the whole run and names the file in hand.
    std::vector<std::pair<int, QString>> shown;
    QObject::connect(bar(), &QProgressBar::valueChanged, window.get(),
                     [&](int value) { shown.emplace_back(value, bar()->text()); });
    press(encrypt());
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.back().first, 0);
    EXPECT_EQ(std::max_element(shown.begin(), shown.end())->first, 100);
    EXPECT_TRUE(std::any_of(shown.begin(), shown.end(), [](const auto &step) {
        return step.second == "IMG_0002.jpg (2 of 3)";
    }));
    EXPECT_EQ(onlyMessage().text, "Encrypted 3 of 3 files.");
    EXPECT_TRUE(choices.empty()) << "no question and no details";
    EXPECT_EQ(bar()->value(), 0);
    window->engine().setKey(keyStringFor("secret"));
    for (const QString &path : paths) {
        EXPECT_TRUE(window->engine().VerifyFile(path + ".ECX")) << path.toStdString();
        EXPECT_TRUE(QFile::exists(path)) << "without the delete box the sources stay";
    }
    EXPECT_TRUE(encrypt()->fileBox()->text().isEmpty());
    EXPECT_TRUE(encrypt()->keyBox()->text().isEmpty());

    // Decrypting the folder decrypts every .ECX in it; the outputs exist: Yes to All.
    decrypt()->setPaths({pathOf("given")});
    decrypt()->keyBox()->setText("secret");
    choiceAnswers = {1};
    press(decrypt());
    // The question once, then the message whose details name the plaintexts left alone.
    ASSERT_EQ(choices.size(), 2u);
    EXPECT_EQ(choices[0].buttons, QStringList({"Yes", "Yes to All", "No", "No to All"}));
    EXPECT_EQ(choices[1].text, "Decrypted 3 of 6 files.");
    EXPECT_TRUE(choices[1].details.startsWith("Skipped: " + paths[0] + ": "));
    EXPECT_EQ(choices[1].buttons, QStringList{"OK"});
    EXPECT_EQ(readFile("given/IMG_0002.jpg"), content);
}

TEST_F(SeveralFiles, AFolderIsEncryptedAsOneArchiveAfterTheQuestion)
{
    QDir(folder.path()).mkpath("photos/inner");
    writeFiles("photos", 2);
    writeFiles("photos/inner", 1);
    encrypt()->setPaths({pathOf("photos")});
    EXPECT_EQ(encrypt()->fileBox()->text(), "1 folder: photos");
    encrypt()->keyBox()->setText("secret");
    choiceAnswers = {2};
    press(encrypt());
    ASSERT_EQ(choices.size(), 1u);
    EXPECT_EQ(choices[0].text.toStdString(),
              "Encrypt the folder photos (3 files, 315.0 kB) as one archive, "
              "photos.tar.ECX, or each file on its own?");
    EXPECT_EQ(choices[0].buttons, QStringList({"One Archive", "Each File", "Cancel"}));
    EXPECT_TRUE(messages.empty()) << "Cancel does nothing";
    EXPECT_EQ(encrypt()->paths(), QStringList{pathOf("photos")});

    choiceAnswers = {0};
    press(encrypt());
    EXPECT_EQ(
        onlyMessage().text.toStdString(),
        ("Encrypted photos into one archive, " + pathOf("photos.tar.ECX") + ".").toStdString());
    window->engine().setKey(keyStringFor("secret"));
    EXPECT_TRUE(window->engine().VerifyFile(pathOf("photos.tar.ECX")));
    EXPECT_FALSE(QFile::exists(pathOf("photos/IMG_0001.jpg.ECX")));

    // Decrypting the archive gives the folder back beside it.
    QDir(pathOf("photos")).removeRecursively();
    run(decrypt(), "secret", pathOf("photos.tar.ECX"));
    EXPECT_EQ(onlyMessage().text.toStdString(),
              ("Decrypt File is Done! The folder " + pathOf("photos") +
               " was given back from photos.tar.ECX, extracted safely: the archive was checked "
               "whole before the folder appeared, and nothing outside it was written or "
               "replaced.")
                  .toStdString());
    EXPECT_EQ(readFile("photos/inner/IMG_0001.jpg"), content);
}

TEST_F(SeveralFiles, AStoppedRunLeavesEveryFinishedFileWholeAndNoPartialFile)
{
    QDir(folder.path()).mkdir("many");
    const QStringList paths = writeFiles("many", 8);
    encrypt()->setPaths(paths);
    encrypt()->keyBox()->setText("secret");
    questionAnswer = true;
    // A costlier key per file keeps the run long enough for the window to answer (once the
    // second file is under way) well before the last file: first Esc, then closing the window.
    window->engine().setWorkFactor(14);
    bool closing = false;
    QObject::connect(bar(), &QProgressBar::valueChanged, window.get(), [&] {
        if (questions.empty() && bar()->text().contains("(2 of 8)"))
            closing ? (void)window->close() : QTest::keyClick(window.get(), Qt::Key_Escape);
    });
    for (const QString &question :
         {QString("Stop after the current file?"),
          QString("Files are being worked on. Stop after the current file and close Ember "
                  "Coffer?")}) {
        SCOPED_TRACE(question.toStdString());
        questions.clear();
        press(encrypt());
        ASSERT_EQ(questions.size(), 1u);
        EXPECT_EQ(questions[0].text, question);
        const QString message = onlyMessage().text;
        EXPECT_TRUE(message.endsWith(" of 8 files. Stopped on request: every finished file is "
                                     "whole, and the files not reached were left as they were."))
            << message.toStdString();
        const QStringList left = QDir(pathOf("many")).entryList(QDir::Files | QDir::Hidden);
        const QStringList encrypted = left.filter(".ECX");
        EXPECT_GE(encrypted.size(), 2);
        EXPECT_LT(encrypted.size(), 8);
        EXPECT_EQ(left.size(), 8 + encrypted.size()) << left.join(' ').toStdString();
        window->engine().setKey(keyStringFor("secret"));
        for (const QString &name : encrypted) {
            EXPECT_TRUE(window->engine().VerifyFile(pathOf("many/" + name))) << name.toStdString();
            QFile::remove(pathOf("many/" + name));
        }
        encrypt()->setPaths(paths);
        encrypt()->keyBox()->setText("secret");
        closing = true;
    }
    EXPECT_FALSE(window->isVisible()) << "the window closed once the run had stopped";
}

} // namespace
