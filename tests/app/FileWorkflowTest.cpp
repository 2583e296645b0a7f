#include "tests/support/WindowFixture.h"

#include "button/VTButton.h"
#include "globals/engine/EncDec.h"

#include <QDir>
#include <QFile>
#include <QTest>
#include <QThread>
#include <QTimer>
#include <fcntl.h>
#include <sys/stat.h>

using platform::MessageIcon;

namespace {
const QByteArray plaintext = QByteArray("Quarterly figures, not for the public.\n").repeated(2000);

void expectMessage(const platform::MessageBoxCall &call, const QString &text, const QString &title,
                   MessageIcon icon)
{
    EXPECT_EQ(call.text, text);
    EXPECT_EQ(call.title, title);
    EXPECT_EQ(call.icon, icon);
}
} // namespace

using FileWorkflow = WindowFixture;

TEST_F(FileWorkflow, EmptyKeyOrFileIsRefusedWithoutChangingAnything)
{
    struct Case {
        CipherFrame *frame;
        QString key, file, message;
    };
    const Case cases[] = {
        {encrypt(), "", "x.txt", "Encrypt Key is Empty."},
        {encrypt(), "k", "", "Encrypt File is Empty."},
        {encrypt(), "", "", "Encrypt Key is Empty."},
        {decrypt(), "", "x.ECX", "Decrypt Key is Empty."},
        {decrypt(), "k", "", "Decrypt File is Empty."},
    };
    for (const Case &c : cases) {
        run(c.frame, c.key, c.file, true);
        expectMessage(onlyMessage(), c.message, "ERROR", MessageIcon::Exclamation);
        EXPECT_EQ(c.frame->keyBox()->text(), c.key);
        EXPECT_EQ(c.frame->fileBox()->text(), c.file);
        EXPECT_TRUE(deleteBox(c.frame)->isChecked());
    }
}

TEST_F(FileWorkflow, EncryptsAndDecryptsThroughTheEngineWithRisingProgressBackAtZero)
{
    writeFile("report.txt", plaintext);
    std::vector<int> shown;
    QObject::connect(bar(), &QProgressBar::valueChanged,
                     [&](int value) { shown.push_back(value); });

    run(encrypt(), "secret", pathOf("report.txt"));
    expectMessage(onlyMessage(), "Encrypt File is Done!", "Complete", MessageIcon::Information);
    EXPECT_EQ(window->lastResult(), VTrue);
    EXPECT_TRUE(QFile::exists(pathOf("report.txt.ECX")));
    EXPECT_EQ(readFile("report.txt"), plaintext) << "without the delete box the source stays";
    EXPECT_TRUE(encrypt()->keyBox()->text().isEmpty());
    EXPECT_TRUE(encrypt()->fileBox()->text().isEmpty());
    EXPECT_TRUE(encrypt()->actionButton()->hasFocus()) << "the focus comes back after the run";
    EXPECT_TRUE(encrypt()->isEnabled());
    ASSERT_FALSE(shown.empty());
    EXPECT_TRUE(std::is_sorted(shown.begin(), shown.end() - 1))
        << "the bar only rises during a run";
    EXPECT_EQ(*std::max_element(shown.begin(), shown.end()), 100);
    EXPECT_EQ(bar()->value(), 0);

    QFile::rename(pathOf("report.txt"), pathOf("original.txt"));
    shown.clear();
    run(decrypt(), "secret", pathOf("report.txt.ECX"));
    expectMessage(onlyMessage(), "Decrypt File is Done!", "Complete", MessageIcon::Information);
    EXPECT_EQ(readFile("report.txt"), plaintext);
    EXPECT_TRUE(QFile::exists(pathOf("report.txt.ECX")));
    EXPECT_EQ(*std::max_element(shown.begin(), shown.end()), 100);
    EXPECT_EQ(bar()->value(), 0);
    EXPECT_TRUE(decrypt()->keyBox()->text().isEmpty());
}

TEST_F(FileWorkflow, DeleteBoxRemovesTheInputOnlyAfterSuccess)
{
    writeFile("notes.txt", plaintext);
    run(encrypt(), "secret", pathOf("notes.txt"), true);
    expectMessage(onlyMessage(), "Encrypt File is Done!", "Complete", MessageIcon::Information);
    EXPECT_FALSE(QFile::exists(pathOf("notes.txt")));
    EXPECT_TRUE(deleteBox(encrypt())->isChecked()) << "the delete box keeps its state";

    // A wrong key, the same but for its last character: the ciphertext stays and no output is
    // left behind.
    run(decrypt(), "secreT", pathOf("notes.txt.ECX"), true);
    expectMessage(onlyMessage(), "Can't Decrypt File.", "ERROR", MessageIcon::Exclamation);
    EXPECT_EQ(window->lastResult(), VFalse);
    EXPECT_TRUE(QFile::exists(pathOf("notes.txt.ECX")));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({"notes.txt.ECX"}));
    EXPECT_TRUE(decrypt()->fileBox()->text().isEmpty()) << "an engine failure empties the boxes";
    EXPECT_EQ(bar()->value(), 0);

    run(decrypt(), "secret", pathOf("notes.txt.ECX"), true);
    expectMessage(onlyMessage(), "Decrypt File is Done!", "Complete", MessageIcon::Information);
    EXPECT_EQ(readFile("notes.txt"), plaintext);
    EXPECT_FALSE(QFile::exists(pathOf("notes.txt.ECX")));
}

TEST_F(FileWorkflow, EncryptionFailureKeepsTheSourceEvenWithTheDeleteBox)
{
    run(encrypt(), "secret", pathOf("missing.txt"), true);
    expectMessage(onlyMessage(), "Can't Encrypt File.", "ERROR", MessageIcon::Exclamation);
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(FileWorkflow, AnUnreadableNewFileIsRemovedAndNeverTradedForTheSource)
{
    writeFile("precious.txt", plaintext);
    window->engine().setReplaceExisting(true);
    // The engine raises 100 once the new file is in place; damage a byte of it at that moment,
    // keeping its size and time, as a failing disk would.
    QObject::connect(&window->engine(), &EncDec::FileEncryptionProgress, [&](qint16 &progress) {
        if (progress != 100)
            return;
        const QByteArray path = QFile::encodeName(pathOf("precious.txt.ECX"));
        struct stat before;
        ASSERT_EQ(::stat(path.constData(), &before), 0);
        QFile ecx(pathOf("precious.txt.ECX"));
        ASSERT_TRUE(ecx.open(QIODevice::ReadWrite));
        ecx.seek(ecx.size() - 20);
        const char byte = ecx.read(1)[0];
        ecx.seek(ecx.size() - 20);
        ecx.write(QByteArray(1, char(byte ^ 1)));
        ecx.close();
        const timespec times[2] = {before.st_atim, before.st_mtim};
        ASSERT_EQ(::utimensat(AT_FDCWD, path.constData(), times, 0), 0);
    });
    run(encrypt(), "secret", pathOf("precious.txt"), true);
    expectMessage(onlyMessage(), "Can't Encrypt File.", "ERROR", MessageIcon::Exclamation);
    EXPECT_EQ(readFile("precious.txt"), plaintext);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList({"precious.txt"}))
        << "the unreadable .ECX stays behind";
    EXPECT_EQ(window->lastResult(), VFalse);
    EXPECT_EQ(bar()->value(), 0);
}

TEST_F(FileWorkflow, AnExistingOutputIsReplacedOnlyAfterYes)
{
    writeFile("report.txt", plaintext);
    writeFile("report.txt.ECX", "newer work");
    deleteBox(encrypt())->setChecked(true);
    bar()->setValue(7);
    run(encrypt(), "secret", pathOf("report.txt"), true);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0].text,
              pathOf("report.txt.ECX") + " already exists.\nDo you want to replace it?");
    EXPECT_EQ(questions[0].title, "Replace File");
    EXPECT_EQ(questions[0].icon, MessageIcon::Question);
    EXPECT_TRUE(messages.empty()) << "No shows nothing else";
    EXPECT_EQ(readFile("report.txt.ECX"), "newer work");
    EXPECT_EQ(readFile("report.txt"), plaintext);
    EXPECT_EQ(encrypt()->keyBox()->text(), "secret");
    EXPECT_EQ(encrypt()->fileBox()->text(), pathOf("report.txt"));
    EXPECT_EQ(bar()->value(), 7);

    questionAnswer = true;
    run(encrypt(), "secret", pathOf("report.txt"));
    expectMessage(onlyMessage(), "Encrypt File is Done!", "Complete", MessageIcon::Information);
    EXPECT_EQ(questions.size(), 2u);
    QFile::rename(pathOf("report.txt"), pathOf("original.txt"));
    run(decrypt(), "secret", pathOf("report.txt.ECX"));
    expectMessage(onlyMessage(), "Decrypt File is Done!", "Complete", MessageIcon::Information);
    EXPECT_EQ(questions.size(), 2u) << "nothing to ask when nothing is there";
    EXPECT_EQ(readFile("report.txt"), plaintext);
}

TEST_F(FileWorkflow, TheWindowKeepsDrawingAndTheCheckShowsItsOwnProgress)
{
    writeFile("long.bin", QByteArray(4 * 1024 * 1024, 'x'));
    std::vector<int> shown;
    // A timer started once the run is under way stands for the window's pending paint work.
    bool timerStarted = false, timerFired = false, timerRanDuringTheRun = false;
    QObject::connect(bar(), &QProgressBar::valueChanged, [&](int value) {
        shown.push_back(value);
        timerRanDuringTheRun = timerRanDuringTheRun || (timerFired && value < 100);
        if (!std::exchange(timerStarted, true))
            QTimer::singleShot(0, [&] { timerFired = true; });
    });
    // The engine's own signal runs on the worker: each step waits a little, so the run cannot
    // end before the window's thread has had a turn however fast the machine is.
    QObject::connect(&window->engine(), &EncDec::FileEncryptionProgress,
                     [](qint16 &) { QThread::msleep(2); });
    run(encrypt(), "secret", pathOf("long.bin"), true);
    expectMessage(onlyMessage(), "Encrypt File is Done!", "Complete", MessageIcon::Information);
    EXPECT_TRUE(timerRanDuringTheRun) << "pending events wait until the run is over";
    // Encryption rises to 100, then the check of the new file rises again.
    const auto firstHundred = std::find(shown.begin(), shown.end(), 100);
    ASSERT_NE(firstHundred, shown.end());
    EXPECT_NE(std::find(firstHundred + 1, shown.end(), 100), shown.end())
        << "the bar stayed at 100 during the check";
}

TEST_F(FileWorkflow, RaisedFailuresShowIncorrectInformationAndKeepTheBoxes)
{
    // A deletion that fails: the source is already gone when the engine finishes.
    writeFile("draft.txt", plaintext);
    QObject::connect(&window->engine(), &EncDec::FileEncryptionProgress, [&](qint16 &progress) {
        if (progress == 100)
            QFile::remove(pathOf("draft.txt"));
    });
    run(encrypt(), "secret", pathOf("draft.txt"), true);
    expectMessage(onlyMessage(), "Incorrect Information.", "ERROR", MessageIcon::Exclamation);
    EXPECT_EQ(encrypt()->keyBox()->text(), "secret");
    EXPECT_EQ(encrypt()->fileBox()->text(), pathOf("draft.txt"));
    EXPECT_EQ(bar()->value(), 0);
    EXPECT_TRUE(QFile::exists(pathOf("draft.txt.ECX")));

    // A decryption path too short to lose four characters.
    run(decrypt(), "secret", "abc");
    expectMessage(onlyMessage(), "Incorrect Information.", "ERROR", MessageIcon::Exclamation);
    EXPECT_EQ(decrypt()->fileBox()->text(), "abc");
    EXPECT_EQ(decrypt()->keyBox()->text(), "secret");
}

TEST_F(FileWorkflow, FourCharacterPathsAreNamedByTheRules)
{
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    writeFile("abcd", plaintext);
    run(encrypt(), "secret", "abcd");
    expectMessage(onlyMessage(), "Encrypt File is Done!", "Complete", MessageIcon::Information);
    EXPECT_TRUE(QFile::exists(pathOf("abcd.ECX")));

    // Decrypting a four-character path hands an empty output path to the engine, which refuses.
    QFile::copy(pathOf("abcd.ECX"), pathOf("wxyz"));
    run(decrypt(), "secret", "wxyz");
    expectMessage(onlyMessage(), "Can't Decrypt File.", "ERROR", MessageIcon::Exclamation);
    EXPECT_TRUE(QFile::exists(pathOf("wxyz")));

    // Decryption strips four characters whatever they are: notes.txt gives notes.
    QFile::copy(pathOf("abcd.ECX"), pathOf("notes.txt"));
    run(decrypt(), "secret", "notes.txt");
    QDir::setCurrent(previous);
    expectMessage(onlyMessage(), "Decrypt File is Done!", "Complete", MessageIcon::Information);
    EXPECT_EQ(readFile("notes"), plaintext);
}

TEST_F(FileWorkflow, BrowseAsksWithTheFramesTitleAndFilterAndCancelEmptiesTheBox)
{
    browseAnswer = pathOf("chosen.txt");
    QTest::mouseClick(encrypt()->browseButton(), Qt::LeftButton);
    EXPECT_EQ(encrypt()->fileBox()->text(), pathOf("chosen.txt"));
    ASSERT_EQ(browses.size(), 1u);
    EXPECT_EQ(browses[0].title, "Open Encrypt File...");
    EXPECT_TRUE(browses[0].fileName.isEmpty());
    EXPECT_EQ(browses[0].filterIndex, 0);
    // Every entry, its description and its patterns, as the dialog is given them.
    EXPECT_EQ(
        browses[0].filter,
        "Document Files (*.doc;*.rtf;*.wri;*.txt)|*.doc;*.rtf;*.wri;*.txt|"
        "Executable Files (*.exe;*.ocx;*.dll)|*.exe;*.ocx;*.dll|"
        "Video Files (*.avi;*.mpg;*.mov;*.dat)|*.avi;*.mpg;*.mov;*.dat|"
        "Picture Files (*.psd;*.bmp;*.gif;*.jpg;*.pcx;*.png)|*.psd;*.bmp;*.gif;*.jpg;*.pcx;*.png|"
        "Picture Files (*.tga;*.tif;*.eps;*.flm;*.pdf;*.pcd)|*.tga;*.tif;*.eps;*.flm;*.pdf;*.pcd|"
        "Picture Files (*.pcd;*.pct;*.pxr;*.raw;*.sct)|*.pcd;*.pct;*.pxr;*.raw;*.sct|"
        "Audio Files (*.mp1;*.mp2;*.mp3;*.wma;*.mid;*.rmi)|*.mp1;*.mp2;*.mp3;*.wma;*.mid;*.rmi|"
        "Audio Files (*.wav;*.mod;*.voc;*.ogg;*.cda;*.aif)|*.wav;*.mod;*.voc;*.ogg;*.cda;*.aif|"
        "Archive Files (*.zip;*.rar;*.lzh;*.lha;*.arj)|*.zip;*.rar;*.lzh;*.lha;*.arj|"
        "All Files (*.*)|*.*|");
    EXPECT_EQ(platform::toQtNameFilters(browses[0].filter).size(), 10);

    browseAnswer.clear();
    QTest::mouseClick(encrypt()->browseButton(), Qt::LeftButton);
    EXPECT_TRUE(encrypt()->fileBox()->text().isEmpty()) << "cancelling empties the box";

    decrypt()->fileBox()->setText("old");
    QTest::mouseClick(decrypt()->browseButton(), Qt::LeftButton);
    EXPECT_TRUE(decrypt()->fileBox()->text().isEmpty());
    ASSERT_EQ(browses.size(), 3u);
    EXPECT_EQ(browses[2].title, "Open Decrypt File...");
    EXPECT_EQ(browses[2].filter, "Ember Coffer (*.ecx) |*.ecx|All Files (*.*)|*.*|");
}

TEST_F(FileWorkflow, ProgressOutsideThePercentRangeIsClamped)
{
    std::vector<int> shown;
    QObject::connect(bar(), &QProgressBar::valueChanged,
                     [&](int value) { shown.push_back(value); });
    for (qint16 value : {qint16(40), qint16(250), qint16(-5), qint16(-32768), qint16(32767)}) {
        qint16 progress = value;
        emit window->engine().FileDecryptionProgress(progress);
    }
    EXPECT_EQ(shown, std::vector<int>({40, 100, 0, 100}));
}
