#include "platform/ui/FileOpenDialog.h"

#include <QApplication>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTimer>
#include <gtest/gtest.h>

using platform::FileOpenRequest;
using platform::toQtNameFilters;

TEST(FileOpenDialog, ConvertsPairsToQtFiltersAndDropsIncompleteOnes)
{
    EXPECT_EQ(toQtNameFilters("Text (*.txt)|*.txt|All (*.*)|*.*|"),
              QStringList({"Text (*.txt)", "All (*.*)"}));
    // A description's own pattern list is replaced by the real patterns, space-separated.
    EXPECT_EQ(toQtNameFilters("Docs (*.doc;*.rtf)|*.doc;*.rtf|"),
              QStringList({"Docs (*.doc *.rtf)"}));
    EXPECT_EQ(toQtNameFilters("Ember Coffer (*.ecx) |*.ecx|"),
              QStringList({"Ember Coffer (*.ecx)"}));
    EXPECT_EQ(toQtNameFilters("Plain|*.a; *.b"), QStringList({"Plain (*.a *.b)"}));
    EXPECT_EQ(toQtNameFilters("|*.x|"), QStringList({"*.x"}));
    EXPECT_TRUE(toQtNameFilters("").isEmpty());
    EXPECT_TRUE(toQtNameFilters("Lonely description|").isEmpty());
    EXPECT_TRUE(toQtNameFilters("No patterns||").isEmpty());
}

// Drives the real dialog: the timer runs once the dialog's own event loop has started.
class RealFileOpenDialog : public testing::Test {
protected:
    void answerWhenShown(std::function<void(QFileDialog *)> answer)
    {
        QTimer::singleShot(0, [answer] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            answer(dialog);
        });
    }
    QTemporaryDir folder;
};

TEST_F(RealFileOpenDialog, ShowsTitleFiltersAndSelectedFilterAndCancelsToEmpty)
{
    QString title;
    QStringList filters;
    QString selected;
    answerWhenShown([&](QFileDialog *dialog) {
        title = dialog->windowTitle();
        filters = dialog->nameFilters();
        selected = dialog->selectedNameFilter();
        dialog->reject();
    });
    FileOpenRequest request;
    request.title = "Open Something...";
    request.filter = "A (*.a)|*.a|B (*.b)|*.b|";
    request.filterIndex = 1;
    EXPECT_EQ(platform::showFileOpenDialog(request), QString());
    EXPECT_EQ(title, "Open Something...");
    EXPECT_EQ(filters, QStringList({"A (*.a)", "B (*.b)"}));
    EXPECT_EQ(selected, "B (*.b)");
}

TEST_F(RealFileOpenDialog, ReturnsTheChosenExistingFile)
{
    const QString path = folder.filePath("chosen.txt");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    answerWhenShown([&](QFileDialog *dialog) {
        dialog->selectFile(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    FileOpenRequest request;
    request.filter = "All (*.*)|*.*|";
    EXPECT_EQ(platform::showFileOpenDialog(request), path);
}
