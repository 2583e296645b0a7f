#pragma once
#include <QString>

#include "platform/registry/winreg.h"

// Reads the string value `valueName` of the key `keyName` below `keyRoot` into `keyValue`.
// True when the key opened and the value was read; `keyValue` then holds its text without a
// final NUL (empty for a value that is not a string, which names no usable path). False, with
// `keyValue` empty, when the key or the value is missing or the value does not fit in 1024
// bytes.
bool GetKeyValue(HKEY keyRoot, const QString &keyName, const QString &valueName, QString &keyValue);
