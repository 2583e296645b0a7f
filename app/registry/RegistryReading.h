#pragma once
#include "winreg.h"

#include <QByteArray>

#include <optional>

// One value read whole from a key, however large it is.
struct WholeValue {
    QByteArray name;
    DWORD type = REG_NONE;
    QByteArray data;
};

// The value `name` of `key`: its size is asked first, then it is read into a buffer that
// size; empty when the value does not exist or cannot be read.
std::optional<WholeValue> readWholeValue(HKEY key, const QByteArray &name);

// The value at `index` of `key`, name and data whole; the status of the enumeration
// (ERROR_NO_MORE_ITEMS past the last value).
LONG enumerateWholeValue(HKEY key, DWORD index, WholeValue &value);
