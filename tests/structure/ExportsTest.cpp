// What the shipped binaries show each other: the control library exports nothing but its
// entry points and its Qt-style class, no symbol is defined by two binaries (so no state exists twice in a process),
// and `ecx` loads no user-interface library.
#include "tests/TestPaths.h"
#include "tests/support/Sanitizers.h"

#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <set>
#include <string>

namespace {

// The output of a command, or an empty string when it could not run.
std::string commandOutput(const std::string &command)
{
    std::string output;
    if (FILE *pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe))
            output.append(buffer, n);
        pclose(pipe);
    }
    return output;
}

// The dynamic symbols that `binary` defines, less what every linked object defines and the
// standard library's own inline data (its headers give namespace std default visibility).
std::set<std::string> definedSymbols(const std::string &binary)
{
    static const std::set<std::string> linkerMade{"_init", "_fini",       "_edata",
                                                  "_end",  "__bss_start", "_IO_stdin_used"};
    static const QRegularExpression standardLibrary("^_Z(Z|GVZ|T[VIS])?N?K?St");
    std::set<std::string> names;
    const QString listing = QString::fromStdString(
        commandOutput("nm -D --defined-only --format=posix '" + binary + "'"));
    for (const QString &line : listing.split('\n', Qt::SkipEmptyParts)) {
        const QString name = line.section(' ', 0, 0);
        if (!linkerMade.count(name.toStdString()) && !standardLibrary.match(name).hasMatch())
            names.insert(name.toStdString());
    }
    return names;
}

QStringList projectBinaries()
{
    return QString(EC_SHIPPED_BINARIES).split(';', Qt::SkipEmptyParts);
}

// The sanitizer runtimes export their own symbols and type descriptions from every binary.
class Exports : public testing::Test {
protected:
    void SetUp() override
    {
        if (underSanitizers)
            GTEST_SKIP() << "a sanitizer build exports the sanitizers' symbols too";
    }
};

TEST_F(Exports, TheControlLibraryExportsItsEntryPointsAndItsQtClassOnly)
{
    const std::set<std::string> entryPoints{"DllCanUnloadNow", "DllGetClassObject",
                                            "DllRegisterServer", "DllUnregisterServer"};
    // The class VantrelPassword::PasswordControl: its members, destructor thunks, vtable, type
    // and meta-object.
    static const QRegularExpression sdkClass("^_Z(N|NK|T[VIS]N|Thn\\d+_N)15VantrelPassword");
    std::set<std::string> others;
    for (const std::string &symbol : definedSymbols(VANTRELPASSWORD_LIBRARY)) {
        if (!entryPoints.count(symbol) &&
            !sdkClass.match(QString::fromStdString(symbol)).hasMatch())
            others.insert(symbol);
    }
    EXPECT_EQ(others, std::set<std::string>{});
    for (const std::string &entryPoint : entryPoints)
        EXPECT_TRUE(definedSymbols(VANTRELPASSWORD_LIBRARY).count(entryPoint)) << entryPoint;
}

TEST_F(Exports, NoSymbolIsDefinedByTwoBinaries)
{
    const QStringList binaries = projectBinaries();
    ASSERT_GE(binaries.size(), 10);
    std::map<std::string, std::string> owner;
    for (const QString &binary : binaries) {
        const std::set<std::string> symbols = definedSymbols(binary.toStdString());
        EXPECT_FALSE(symbols.empty() && binary.endsWith(".so")) << binary.toStdString();
        for (const std::string &symbol : symbols) {
            const auto [at, first] = owner.emplace(symbol, binary.toStdString());
            EXPECT_TRUE(first) << symbol << " is defined by " << at->second << " and by "
                               << binary.toStdString();
        }
    }
}

TEST_F(Exports, EcxLoadsNoUserInterfaceLibrary)
{
    const QString libraries = QString::fromStdString(commandOutput("ldd '" EC_ECX_PROGRAM "'"));
    ASSERT_TRUE(libraries.contains("libVantrelGlobals")) << libraries.toStdString();
    for (const char *library : {"libQt6Gui", "libQt6Widgets", "libQt6DBus", "libX11", "libGL"})
        EXPECT_FALSE(libraries.contains(library)) << library;
}

} // namespace
