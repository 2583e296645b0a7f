#pragma once
#include "app/FileArgument.h"

#include <QStringList>

// The program's command line: `EmberCoffer [--encrypt|--decrypt] [--] [PATH...]`.
struct CommandLine {
    // The frame chosen by --encrypt or --decrypt; None lets the files decide.
    FileArgument::Frame frame = FileArgument::Frame::None;
    QStringList paths;
};

// Reads `arguments` (the program's name first). --help and --version are answered on standard
// output and end the process, as an unknown option or a contradiction does on standard error
// with status 1. After `--` every argument is a path, even one that starts with a dash.
CommandLine readCommandLine(const QStringList &arguments);

// Whether `arguments` ask only for text on the terminal (--help, --version before any `--`), so
// that they are answered without a display.
bool asksForTerminalAnswer(const QStringList &arguments);
