#pragma once
#include "globals/VantrelGlobalsExport.h"
#include <QString>

// The key string handed to the engine: the fixed word "Corvantide" followed by the whole
// typed key, so that every character of the key counts.
VANTRELGLOBALS_EXPORT QString keyStringFor(const QString &typedKey);
