#pragma once
#include <string>
#include <vector>

// Runs a program on a pseudo-terminal and answers every prompt it shows (text containing
// `promptMarker`, then a colon) with `passphrase`, as a person at a terminal would. Returns the exit status (-1 when the
// program could not run); `transcript` receives what the program printed.
int runWithPassphrase(const std::vector<std::string> &argv, const std::string &passphrase,
                      std::string *transcript = nullptr,
                      const std::string &promptMarker = "assphrase");

// Replaces the calling (child) process with the program of `argv`; ends it with status 127
// when the program cannot be started.
[[noreturn]] void execProgram(const std::vector<std::string> &argv);
