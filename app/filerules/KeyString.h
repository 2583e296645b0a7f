#pragma once
#include <QString>

// The key string handed to the engine: the fixed word "Corvantide" followed by the whole
// typed key, so that every character of the key counts.
QString keyStringFor(const QString &typedKey);
