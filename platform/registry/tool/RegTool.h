#pragma once
#include "platform/registry/tool/RegArguments.h"

#include <functional>
#include <optional>
#include <ostream>
#include <string>

// Asks the user a Yes/No question: true for yes, false for no, none when there is no one to
// ask (no terminal).
using RegConfirm = std::function<std::optional<bool>(const std::string &question)>;

// Runs a parsed command against the registry, printing as the Windows tool does; returns the
// exit status (0 success, 1 failure with a one-line "ERROR: ..." on `err`).
int runReg(const RegArguments &arguments, std::ostream &out, std::ostream &err,
           const RegConfirm &confirm);
