#pragma once
#include <optional>
#include <string>
#include <vector>

// One timed run of a program, or of an operation in this process.
struct ProgramRun {
    bool ok = false;
    double seconds = 0;                   // wall time of the whole run
    long peakKiB = 0;                     // the child's maximum resident set size, when measured
    std::optional<double> payloadSeconds; // timed inside the run, where that is possible
};

// Runs `argv` with `input` on its standard input and its standard output going to
// `outputPath` (or nowhere when empty); its error output stays visible.
ProgramRun runProgram(const std::vector<std::string> &argv, const std::string &input = {},
                      const std::string &outputPath = {});

// Runs `argv` on a pseudo-terminal that answers every passphrase prompt with `passphrase`.
ProgramRun runOnTerminal(const std::vector<std::string> &argv, const std::string &passphrase);
