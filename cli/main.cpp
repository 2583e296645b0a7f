#include "globals/ProductVersion.h"
#include <QStringList>
#include <cstdio>

#include "cli/CliArguments.h"
#include "cli/EcxCommand.h"

int main(int argc, char **argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);

    const CliParseResult parsed = parseArguments(arguments);
    if (!parsed.command) {
        std::fprintf(stderr, "ecx: %s\nTry 'ecx --help'.\n",
                     parsed.error.toLocal8Bit().constData());
        return ExitUsage;
    }
    switch (parsed.command->action) {
    case CliCommand::Action::Help:
        std::fputs(usageText().toLocal8Bit().constData(), stdout);
        return ExitSuccess;
    case CliCommand::Action::Version:
        std::printf("ecx %s\n", EMBERCOFFER_VERSION_TEXT);
        return ExitSuccess;
    default:
        return runCommand(*parsed.command);
    }
}
