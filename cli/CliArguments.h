#pragma once
#include <QString>
#include <QStringList>
#include <optional>

// What the command line asks `ecx` to do.
struct CliCommand {
    enum class Action { Encrypt, Decrypt, Help, Version };
    Action action = Action::Help;
    QString input;
    QString output;  // empty: the program's own naming rule
    QString keyFile; // empty: no key file
    bool keyStdin = false;
    bool deleteInput = false;
    bool quiet = false;
    int workFactor = 18;
};

struct CliParseResult {
    std::optional<CliCommand> command;
    QString error; // set when command is empty: what was wrong with the usage
};

// Parses the arguments after the program name. Pure: touches no file and no terminal.
CliParseResult parseArguments(const QStringList &arguments);

// The text of `ecx --help`.
QString usageText();
