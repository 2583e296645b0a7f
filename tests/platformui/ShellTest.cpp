#include "platform/ui/Shell.h"
#include "platform/ui/HtmlHelp.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

// Catches what would reach the desktop, so the real paths run without opening anything.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    explicit UrlCatcher(const QStringList &schemes) : m_schemes(schemes)
    {
        for (const QString &scheme : m_schemes)
            QDesktopServices::setUrlHandler(scheme, this, "open");
    }
    ~UrlCatcher() override
    {
        for (const QString &scheme : m_schemes)
            QDesktopServices::unsetUrlHandler(scheme);
    }
    QList<QUrl> opened;

public slots:
    void open(const QUrl &url) { opened << url; }

private:
    QStringList m_schemes;
};

TEST(Shell, ExecuteHandsAddressesAndFilesToTheDesktop)
{
    UrlCatcher catcher({"mailto", "https", "file"});
    EXPECT_TRUE(platform::shellExecute("mailto:support@example.org"));
    EXPECT_TRUE(platform::shellExecute("https://example.org/page"));
    EXPECT_TRUE(platform::shellExecute("/tmp/some file.txt"));
    ASSERT_EQ(catcher.opened.size(), 3);
    EXPECT_EQ(catcher.opened[0], QUrl("mailto:support@example.org"));
    EXPECT_EQ(catcher.opened[1], QUrl("https://example.org/page"));
    EXPECT_EQ(catcher.opened[2], QUrl::fromLocalFile("/tmp/some file.txt"));
}

TEST(Shell, FileExistsIsTrueOnlyForExistingFiles)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("present");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    EXPECT_TRUE(platform::fileExists(path));
    EXPECT_FALSE(platform::fileExists(folder.path()));
    EXPECT_FALSE(platform::fileExists(folder.filePath("absent")));
    EXPECT_FALSE(platform::fileExists(""));
}

TEST(Shell, StartProgramReportsWhetherItStarted)
{
    QTemporaryDir folder;
    EXPECT_FALSE(platform::startProgram(folder.filePath("no-such-program")));
    EXPECT_FALSE(platform::startProgram(""));
    EXPECT_TRUE(platform::startProgram("/bin/true"));
}

TEST(HtmlHelp, OpensAnExistingFileByItsNameAndIgnoresAMissingOne)
{
    UrlCatcher catcher({"file"});
    QTemporaryDir folder;
    const QString previous = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(folder.path()));
    platform::htmlHelp(nullptr, "GUIDE.CHM", 0, 0);
    EXPECT_TRUE(catcher.opened.isEmpty());
    QFile file("GUIDE.CHM");
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.close();
    platform::htmlHelp(nullptr, "GUIDE.CHM", 0, 0);
    QDir::setCurrent(previous);
    ASSERT_EQ(catcher.opened.size(), 1);
    EXPECT_EQ(catcher.opened[0], QUrl::fromLocalFile(folder.filePath("GUIDE.CHM")));
}

#include "ShellTest.moc"
