#pragma once
#include <QList>
#include <QString>
#include <QStringList>

// One option of `ecx` as its help describes it. The manual page and the shell completion are
// held to this list by the suite, so that none of them drifts from what the parser takes.
struct OptionSpec {
    QString shortName;    // "-o", or empty
    QString longName;     // "--output"
    QString value;        // "PATH"; empty when the option takes no value
    QString help;         // for --help; each further line continues the text
    QStringList commands; // the commands that take it; empty: every command
};

// The commands, in the order the help lists them.
const QStringList &ecxCommands();
const QList<OptionSpec> &ecxOptions();

// The options part of `ecx --help`.
QString optionsHelp();
