#pragma once
#include "cli/CliArguments.h"

// Exit statuses of `ecx`.
enum ExitStatus { ExitSuccess = 0, ExitFailure = 1, ExitUsage = 2 };

// Carries out an encrypt or decrypt command; messages go to standard error.
int runCommand(const CliCommand &command);
