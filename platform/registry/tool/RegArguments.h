#pragma once
#include "platform/registry/winreg.h"

#include <optional>
#include <string>
#include <vector>

// A command line of the `reg` tool, checked and converted, ready to run.
enum class RegOperation { Query, Add, Delete, Help };

struct RegArguments {
    RegOperation operation = RegOperation::Help;
    HKEY root = nullptr;
    std::string rootName; // the root's long name, as output shows it
    std::string path;     // below the root, without leading or trailing backslashes
    // The value the command is about: a name, "" for the default value, none for the key.
    std::optional<std::string> valueName;
    DWORD type = REG_SZ;
    std::vector<BYTE> data; // the value's bytes as they are stored
    bool force = false;
    std::string usage; // for Help: the usage text to print
};

// Either the arguments or a one-line error message ("ERROR: ...").
struct RegParseResult {
    std::optional<RegArguments> arguments;
    std::string error;
};

// Parses the words after the program name:
//   query KEY [/v NAME | /ve]
//   add KEY [/v NAME | /ve] [/t REG_SZ|REG_BINARY|REG_DWORD] [/d DATA] [/f]
//   delete KEY [/v NAME | /ve] [/f]
// KEY begins with its root (HKLM, HKCU, HKCR, HKU, HKCC or the long names); every switch may be
// written with '-' as well as '/', in any letter case; "/?" asks for the usage.
RegParseResult parseRegArguments(const std::vector<std::string> &words);
