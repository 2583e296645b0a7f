#include "globals/ProductVersion.h"
#include <QByteArrayList>
#include <cstdio>

#include "cli/CliArguments.h"
#include "cli/EcxCommand.h"

int main(int argc, char **argv)
{
    // Arguments stay in the system's bytes: a file name need not be valid text.
    QByteArrayList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QByteArray(argv[i]);

    const CliParseResult parsed = parseArguments(arguments);
    if (!parsed.command) {
        std::fprintf(stderr, "ecx: %s\nTry 'ecx --help'.\n", parsed.error.toUtf8().constData());
        return ExitUsage;
    }
    switch (parsed.command->action) {
    case CliCommand::Action::Help:
        std::fputs(usageText().toUtf8().constData(), stdout);
        return ExitSuccess;
    case CliCommand::Action::Version:
        std::printf("ecx %s\n", EMBERCOFFER_VERSION_TEXT);
        return ExitSuccess;
    default:
        return runCommand(*parsed.command);
    }
}
