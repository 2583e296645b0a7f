#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "globals/ProductVersion.h"
#include "tests/TestPaths.h"

namespace {

struct Outcome {
    int status = -1;
    QString out;
    QString err;
};

Outcome run(const QString &program, const QStringList &arguments,
            const QProcessEnvironment &environment = QProcessEnvironment::systemEnvironment())
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    Outcome result;
    if (!process.waitForFinished(240000)) {
        process.kill();
        process.waitForFinished();
        result.err = QStringLiteral("%1 did not finish").arg(program);
        return result;
    }
    result.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.err = QString::fromUtf8(process.readAllStandardError());
    return result;
}

#define EXPECT_RUNS(run)                                                                           \
    do {                                                                                           \
        const Outcome done = (run);                                                                \
        ASSERT_EQ(done.status, 0) << done.out.toStdString() << done.err.toStdString();             \
    } while (false)

// Installs the build tree's runtime and SDK into a temporary prefix once for all tests, as
// `cmake --install` does for a user.
class InstalledSdkTest : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        folder = new QTemporaryDir;
        for (const char *component : {"runtime", "sdk"}) {
            installRun = run("cmake", {"--install", EC_BUILD_DIR, "--prefix", prefix(),
                                       "--component", component});
            if (installRun.status != 0)
                return;
        }
    }
    static void TearDownTestSuite() { delete folder; }

    void SetUp() override { ASSERT_EQ(installRun.status, 0) << installRun.err.toStdString(); }

    static QString prefix() { return folder->filePath("prefix"); }
    static QString installed(const QString &path) { return prefix() + '/' + path; }

    // The example host built against the installed SDK (configured and built once).
    static QString example()
    {
        static Outcome built;
        const QString build = folder->filePath("example");
        if (built.status == -1) {
            built = run("cmake", {"-S", EC_SOURCE_DIR "/examples/password-host", "-B", build, "-G",
                                  "Ninja", "-DCMAKE_PREFIX_PATH=" + prefix()});
            if (built.status == 0)
                built = run("cmake", {"--build", build});
        }
        EXPECT_EQ(built.status, 0) << built.out.toStdString() << built.err.toStdString();
        return build + "/password-host";
    }

    static inline QTemporaryDir *folder = nullptr;
    static inline Outcome installRun;
};

// The lines in which the dialog answerer reported the dialogs it met.
std::string dialogsMet(const QString &log)
{
    QStringList dialogs;
    for (const QString &line : log.split('\n'))
        if (line.contains("dialog"))
            dialogs << line;
    return dialogs.join('\n').toStdString();
}

// Every installed program, library and plugin: an ELF file under the prefix.
QStringList installedBinaries(const QString &prefix)
{
    QStringList binaries;
    QDirIterator files(prefix, QDir::Files | QDir::NoSymLinks, QDirIterator::Subdirectories);
    while (files.hasNext()) {
        QFile file(files.next());
        if (file.open(QIODevice::ReadOnly) && file.read(4) == "\x7f"
                                                              "ELF")
            binaries << file.fileName();
    }
    return binaries;
}

// One source file per installed header that includes only that header, in FOLDER: the header
// must bring everything it needs.
QStringList unitPerHeader(const QString &prefix, const QString &folder)
{
    QStringList units;
    const QDir includes(prefix + "/include");
    QDir().mkpath(folder);
    QDirIterator headers(includes.path(), {"*.h"}, QDir::Files, QDirIterator::Subdirectories);
    while (headers.hasNext()) {
        const QString header = includes.relativeFilePath(headers.next());
        QString name = header;
        QFile unit(folder + '/' + name.replace('/', '_') + ".cpp");
        if (!unit.open(QIODevice::WriteOnly) ||
            unit.write("#include <" + header.toUtf8() + ">\n") <= 0)
            return {};
        units << unit.fileName();
    }
    return units;
}

TEST_F(InstalledSdkTest, EveryHeaderCompilesAloneWithOnlyThePkgConfigFlags)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PKG_CONFIG_PATH", installed("lib/pkgconfig"));
    const Outcome flags = run("pkg-config", {"--cflags", "VantrelPassword"}, environment);
    ASSERT_EQ(flags.status, 0) << flags.err.toStdString();
    EXPECT_TRUE(flags.out.contains("-std=c++20")) << flags.out.toStdString();
    EXPECT_TRUE(flags.out.contains("-I" + QDir::cleanPath(installed("include")) + ' '))
        << flags.out.toStdString();
    EXPECT_FALSE(flags.out.contains("/../")) << flags.out.toStdString();

    const QStringList units = unitPerHeader(prefix(), folder->filePath("pkg-config-units"));
    ASSERT_GE(units.size(), 10);
    EXPECT_RUNS(
        run("c++", QStringList{"-fsyntax-only"} + flags.out.simplified().split(' ') + units));
}

TEST_F(InstalledSdkTest, EveryHeaderCompilesAloneWithOnlyTheCMakeTarget)
{
    const QString project = folder->filePath("cmake-units");
    const QStringList units = unitPerHeader(prefix(), project);
    ASSERT_GE(units.size(), 10);
    QFile lists(project + "/CMakeLists.txt");
    ASSERT_TRUE(lists.open(QIODevice::WriteOnly));
    lists.write("cmake_minimum_required(VERSION 3.25)\n"
                "project(HeadersAlone LANGUAGES CXX)\n"
                "find_package(VantrelPassword 3 REQUIRED)\n"
                "add_library(headers OBJECT " +
                units.join(' ').toUtf8() +
                ")\n"
                "target_link_libraries(headers PRIVATE VantrelPassword::VantrelPassword)\n");
    lists.close();
    const QString build = folder->filePath("cmake-units-build");
    EXPECT_RUNS(run(
        "cmake", {"-S", project, "-B", build, "-G", "Ninja", "-DCMAKE_PREFIX_PATH=" + prefix()}));
    EXPECT_RUNS(run("cmake", {"--build", build, "-j2"}));
}

TEST_F(InstalledSdkTest, ProgramsAndLibrariesFindTheirLibrariesInThePrefixNotTheBuildTree)
{
    EXPECT_TRUE(QFile::exists(installed("bin/EmberCoffer")));
    EXPECT_TRUE(QFile::exists(installed("bin/ecx")));
    EXPECT_TRUE(QFile::exists(installed("bin/embercoffer-reg")));
    EXPECT_TRUE(QFile::exists(installed("bin/embercoffer-regsvr")));
    EXPECT_FALSE(QFile::exists(installed("bin/reg")));
    EXPECT_FALSE(QFile::exists(installed("bin/regsvr")));

    const QStringList binaries = installedBinaries(prefix());
    EXPECT_GE(binaries.size(), 4 + 7 + 1);
    const QRegularExpression ourLibrary("^\\s*lib(Vantrel|EmberPlatform)\\S* => (\\S+)",
                                        QRegularExpression::MultilineOption);
    for (const QString &binary : binaries) {
        const Outcome dynamic = run("readelf", {"-d", binary});
        EXPECT_FALSE(dynamic.out.contains(EC_BUILD_DIR)) << binary.toStdString();
        const Outcome needed = run("ldd", {binary});
        for (auto match = ourLibrary.globalMatch(needed.out); match.hasNext();) {
            const QString found = match.next().captured(2);
            EXPECT_TRUE(found.startsWith(prefix()))
                << binary.toStdString() << " uses " << found.toStdString();
        }
        EXPECT_FALSE(needed.out.contains("not found")) << needed.out.toStdString();
    }
}

TEST_F(InstalledSdkTest, DesktopFilesAreValidAndNameEncryptedFilesByNameOrContent)
{
    EXPECT_RUNS(run("desktop-file-validate",
                    {installed("share/applications/example.corvantide.EmberCoffer.desktop")}));
    EXPECT_RUNS(run("appstreamcli",
                    {"validate", "--no-net",
                     installed("share/metainfo/example.corvantide.EmberCoffer.metainfo.xml")}));

    // The prefix's MIME package read as a desktop reads it, beside the system's types.
    QTemporaryDir emptyHome;
    qputenv("XDG_DATA_HOME", emptyHome.path().toUtf8());
    qputenv("XDG_DATA_DIRS", (installed("share") + ":/usr/share").toUtf8());
    const QMimeDatabase types;
    const auto typeOf = [&](const QString &name, const QByteArray &content) {
        QFile file(folder->filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly) && file.write(content) == content.size());
        file.close();
        return types.mimeTypeForFile(file.fileName()).name().toStdString();
    };
    EXPECT_EQ(typeOf("report.txt.ECX", "anything"), "application/x-ecx");
    EXPECT_EQ(typeOf("lower.ecx", ""), "application/x-ecx");
    EXPECT_EQ(typeOf("from-age", "age-encryption.org/v1\n-> scrypt"), "application/x-ecx");
    EXPECT_EQ(typeOf("armored", "-----BEGIN AGE ENCRYPTED FILE-----\nYWdl\n"), "application/x-ecx");
    EXPECT_EQ(typeOf("plain", "just some words\n"), "text/plain");
    // A name that another type claims wins over the content: an armored file written as
    // mail.txt is plain text, and the name .asc is shared by several types, so the content
    // cannot choose ours either. A name nobody claims leaves it to the content.
    const QByteArray armored = "-----BEGIN AGE ENCRYPTED FILE-----\nYWdl\n";
    EXPECT_EQ(typeOf("mail.txt", armored), "text/plain");
    EXPECT_EQ(typeOf("mail.asc", armored), "text/plain");
    EXPECT_EQ(typeOf("backup.age", "age-encryption.org/v1\n-> scrypt"), "application/x-ecx");
    EXPECT_EQ(typeOf("photos.tar.ECX", "age-encryption.org/v1\n-> scrypt"), "application/x-ecx");
}

TEST_F(InstalledSdkTest, ManualsMetadataAndChangelogNameTheProjectsVersionAndItsDay)
{
    const QString version = EMBERCOFFER_VERSION_TEXT;
    QFile metadata(installed("share/metainfo/example.corvantide.EmberCoffer.metainfo.xml"));
    ASSERT_TRUE(metadata.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch newest =
        QRegularExpression(R"re(<release version="([^"]+)" date="([^"]+)">)re")
            .match(QString::fromUtf8(metadata.readAll()));
    ASSERT_TRUE(newest.hasMatch());
    EXPECT_EQ(newest.captured(1), version);
    const QString day = newest.captured(2);

    for (const QString &page :
         QStringList{"EmberCoffer", "ecx", "embercoffer-reg", "embercoffer-regsvr"}) {
        const Outcome manual = run("zcat", {installed("share/man/man1/" + page + ".1.gz")});
        EXPECT_TRUE(
            manual.out.section('\n', 0, 0)
                .endsWith(QString(R"(1 "%1" "Ember Coffer %2" "User Commands")").arg(day, version)))
            << manual.out.section('\n', 0, 0).toStdString();
    }
    for (const QString &package : QStringList{"embercoffer", "libvantrelpassword-dev"}) {
        const Outcome changelog =
            run("zcat", {installed("share/doc/" + package + "/changelog.Debian.gz")});
        EXPECT_TRUE(changelog.out.startsWith("embercoffer (" + version + "-1) unstable"))
            << changelog.out.toStdString();
    }
}

TEST_F(InstalledSdkTest, ControlLibraryExportsItsEntryPointsAndTheSdkClassOnly)
{
    const Outcome symbols =
        run("nm", {"-D", "--defined-only", "-C", installed("lib/libVantrelPassword.so.3")});
    ASSERT_EQ(symbols.status, 0) << symbols.err.toStdString();
    const QStringList entryPoints{"DllRegisterServer", "DllUnregisterServer", "DllGetClassObject",
                                  "DllCanUnloadNow"};
    const QStringList linkerSymbols{"__bss_start", "_edata", "_end"};
    // Vague-linkage copies of what the component layer's headers define: its interfaces'
    // ids and type information.
    const QRegularExpression interfaceDetail("^(typeinfo (name )?for )?I[A-Z]\\w*(::iid)?$");
    int entryPointsFound = 0;
    for (const QString &line : symbols.out.split('\n', Qt::SkipEmptyParts)) {
        const QString kind = line.section(' ', 1, 1);
        const QString symbol = line.section(' ', 2);
        const bool vague = QStringList{"u", "V", "W"}.contains(kind);
        if (entryPoints.contains(symbol)) {
            ++entryPointsFound;
        } else if (!linkerSymbols.contains(symbol) &&
                   !(vague && interfaceDetail.match(symbol).hasMatch())) {
            EXPECT_TRUE(symbol.contains("VantrelPassword::")) << "exported: " << line.toStdString();
        }
    }
    EXPECT_EQ(entryPointsFound, 4);
}

TEST_F(InstalledSdkTest, ExampleHostBuiltFromTheInstalledSdkAsksAndJudges)
{
    const QString host = example();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("LD_PRELOAD", EC_DIALOG_ANSWERER);
    environment.insert("EMBERCOFFER_REGISTRY", folder->filePath("registry.db"));

    // The titles come from the form file, through uic, into the control.
    environment.insert("EC_DIALOG_ANSWERS",
                       "txtPassword=Ember,txtConfirmation=Ember,cmdOK;txtPassword=Ember,cmdOK");
    const Outcome accepted = run(host, {}, environment);
    EXPECT_EQ(accepted.status, 0) << accepted.err.toStdString();
    EXPECT_EQ(accepted.out.toStdString(), "Password accepted.\n");
    EXPECT_EQ(dialogsMet(accepted.err), "dialog: Choose a password for the example\n"
                                        "dialog: Unlock the example");

    environment.insert("EC_DIALOG_ANSWERS",
                       "txtPassword=Ember,txtConfirmation=Ember,cmdOK;txtPassword=ember,cmdOK");
    const Outcome refused = run(host, {}, environment);
    EXPECT_EQ(refused.status, 2) << refused.err.toStdString();
    EXPECT_EQ(refused.out.toStdString(), "Wrong password.\n");

    environment.insert("EC_DIALOG_ANSWERS", "cmdCancel");
    const Outcome cancelled = run(host, {}, environment);
    EXPECT_EQ(cancelled.status, 1) << cancelled.err.toStdString();
}

TEST_F(InstalledSdkTest, PkgConfigFileBuildsAHost)
{
    QFile source(folder->filePath("host.cpp"));
    ASSERT_TRUE(source.open(QIODevice::WriteOnly));
    source.write("#include <VantrelPassword/PasswordControl.h>\n"
                 "#include <VantrelPassword/password/VTPasswordDispIds.h>\n"
                 "#include <QApplication>\n"
                 "int main(int argc, char **argv) {\n"
                 "    QApplication app(argc, argv);\n"
                 "    VantrelPassword::PasswordControl control;\n"
                 "    return control.lastError() == 0 && VTPasswordDispId::Password == 0 ? 0 : 1;\n"
                 "}\n");
    source.close();
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("PKG_CONFIG_PATH", installed("lib/pkgconfig"));
    const Outcome flags = run("pkg-config", {"--cflags", "--libs", "VantrelPassword"}, environment);
    ASSERT_EQ(flags.status, 0) << flags.err.toStdString();
    const QStringList arguments =
        QStringList{"-fPIC", source.fileName(), "-o", folder->filePath("host")} +
        flags.out.simplified().split(' ');
    EXPECT_RUNS(run("c++", arguments));
    environment.insert("LD_LIBRARY_PATH", installed("lib"));
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("EMBERCOFFER_REGISTRY", folder->filePath("registry.db"));
    EXPECT_RUNS(run(folder->filePath("host"), {}, environment));
}

} // namespace
