#pragma once
#include "platform/com/HResult.h"
#include "platform/com/PlatformComExport.h"
#include "platform/com/Variant.h"

// Converts a value to another type the way automation does: numbers and Booleans convert
// freely (non-zero is True, True is -1), a string converts when it holds an integer or
// "True"/"False", and the empty value becomes zero, False or "". Fails with
// DISP_E_TYPEMISMATCH for text that is not a value of the type and DISP_E_OVERFLOW for a
// number out of range; `*out` is untouched on failure. The result is always held by value.
[[nodiscard]] PLATFORMCOM_EXPORT HRESULT changeType(const Variant &from, VarType to, Variant *out);
