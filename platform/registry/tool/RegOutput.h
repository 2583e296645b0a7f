#pragma once
#include "platform/registry/winreg.h"

#include <string>
#include <vector>

// How `reg query` shows a value: "    NAME    TYPE    DATA".
std::string valueLine(const std::string &name, DWORD type, const std::vector<BYTE> &data);

// The one-line error for a failed registry call ("ERROR: ...").
std::string statusMessage(LONG status);
