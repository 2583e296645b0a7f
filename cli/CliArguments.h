#pragma once
#include <QByteArray>
#include <QByteArrayList>
#include <QString>
#include <optional>

// What the command line asks `ecx` to do. Paths stay in the system's bytes, as given.
struct CliCommand {
    enum class Action { Encrypt, Decrypt, Verify, Help, Version };
    Action action = Action::Help;
    QByteArrayList inputs; // "-" is standard input
    QByteArray output;     // empty: the program's own naming rule; "-" is standard output
    QByteArray keyFile;    // empty: no key file
    bool keyStdin = false;
    bool deleteInput = false;
    bool quiet = false;
    bool force = false;
    bool armor = false;
    bool recursive = false; // each file in the folders given
    bool archive = false;   // all inputs as one archive
    bool extract = false;   // an archive's folder given back
    int workFactor = 18;
};

struct CliParseResult {
    std::optional<CliCommand> command;
    QString error; // set when command is empty: what was wrong with the usage
};

// The name that stands for a standard stream.
inline const QByteArray standardStreamName = QByteArrayLiteral("-");

// Parses the arguments after the program name. Pure: touches no file and no terminal.
// Short options may be bundled ("-qf", "-qo FILE", "-oFILE"), long ones take "--name=value".
CliParseResult parseArguments(const QByteArrayList &arguments);

// The text of `ecx --help`.
QString usageText();
