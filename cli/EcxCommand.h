#pragma once
#include "cli/CliArguments.h"

// Exit statuses of `ecx`.
enum ExitStatus { ExitSuccess = 0, ExitFailure = 1, ExitUsage = 2 };

// Carries out an encrypt, decrypt or verify command on each input; messages go to standard
// error. Returns the worst exit status of all inputs.
int runCommand(const CliCommand &command);
